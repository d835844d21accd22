#pragma once
// The service's own certificate authority and its server certificate for
// localhost and 127.0.0.1, made on first start and kept in the data folder.
#include <optional>
#include <string>

namespace vantorel::service {

struct CertificateFiles {
  std::string caCertificate;      // ca.pem: what clients trust
  std::string serverCertificate;  // server.pem
  std::string serverKey;          // server-key.pem, mode 0600
};

// Reuses what the folder holds while it is valid; makes what is missing,
// renews a server certificate close to its end or not signed by the CA.
// Nothing on failure, with the reason in `error`.
std::optional<CertificateFiles> PrepareCertificates(const std::string& dataDir, std::string& error);

}  // namespace vantorel::service
