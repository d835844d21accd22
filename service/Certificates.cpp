#include "service/Certificates.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <openssl/bn.h>
#include <openssl/evp.h>
#include <openssl/pem.h>
#include <openssl/x509.h>
#include <openssl/x509v3.h>

#include <cstdio>
#include <ctime>
#include <memory>

namespace vantorel::service {
namespace {

template <auto Free>
struct Deleter {
  template <class T>
  void operator()(T* p) const { Free(p); }
};
using KeyPtr = std::unique_ptr<EVP_PKEY, Deleter<EVP_PKEY_free>>;
using CertPtr = std::unique_ptr<X509, Deleter<X509_free>>;
using BioPtr = std::unique_ptr<BIO, Deleter<BIO_free>>;
using BignumPtr = std::unique_ptr<BIGNUM, Deleter<BN_free>>;
using ExtensionPtr = std::unique_ptr<X509_EXTENSION, Deleter<X509_EXTENSION_free>>;

constexpr long kDaySeconds = 24 * 60 * 60;
constexpr long kCaDays = 3650;
constexpr long kServerDays = 397;
// A server certificate with less time left than this is replaced at start.
constexpr long kRenewDays = 30;

constexpr mode_t kPublicMode = 0644;
constexpr mode_t kPrivateMode = 0600;

struct Identity {
  KeyPtr key;
  CertPtr certificate;
};

// Writes the whole file beside its place, then renames it there, so a crash
// never leaves half a key behind.
bool WriteFileAtomically(const std::string& path, const std::string& content, mode_t mode) {
  const std::string temporary = path + ".new";
  ::unlink(temporary.c_str());
  const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
  if (fd < 0) return false;
  bool written = ::fchmod(fd, mode) == 0;
  for (std::size_t done = 0; written && done < content.size();) {
    const ssize_t n = ::write(fd, content.data() + done, content.size() - done);
    written = n > 0;
    if (written) done += static_cast<std::size_t>(n);
  }
  written = written && ::fsync(fd) == 0;
  written = (::close(fd) == 0) && written;
  if (!written || ::rename(temporary.c_str(), path.c_str()) != 0) {
    ::unlink(temporary.c_str());
    return false;
  }
  return true;
}

std::string BioText(BIO* bio) {
  char* data = nullptr;
  const long size = BIO_get_mem_data(bio, &data);
  return std::string(data, static_cast<std::size_t>(size));
}

bool SaveIdentity(const Identity& identity, const std::string& certificatePath, const std::string& keyPath) {
  BioPtr certificate(BIO_new(BIO_s_mem()));
  BioPtr key(BIO_new(BIO_s_mem()));
  if (!PEM_write_bio_X509(certificate.get(), identity.certificate.get()) ||
      !PEM_write_bio_PrivateKey(key.get(), identity.key.get(), nullptr, nullptr, 0, nullptr, nullptr))
    return false;
  return WriteFileAtomically(keyPath, BioText(key.get()), kPrivateMode) &&
         WriteFileAtomically(certificatePath, BioText(certificate.get()), kPublicMode);
}

std::optional<Identity> LoadIdentity(const std::string& certificatePath, const std::string& keyPath) {
  BioPtr certificateFile(BIO_new_file(certificatePath.c_str(), "r"));
  BioPtr keyFile(BIO_new_file(keyPath.c_str(), "r"));
  if (!certificateFile || !keyFile) return std::nullopt;
  Identity identity{KeyPtr(PEM_read_bio_PrivateKey(keyFile.get(), nullptr, nullptr, nullptr)),
                    CertPtr(PEM_read_bio_X509(certificateFile.get(), nullptr, nullptr, nullptr))};
  if (!identity.key || !identity.certificate || X509_check_private_key(identity.certificate.get(), identity.key.get()) != 1)
    return std::nullopt;
  return identity;
}

bool AddExtension(X509* certificate, X509* issuer, int nid, const char* value) {
  X509V3_CTX context;
  X509V3_set_ctx_nodb(&context);
  X509V3_set_ctx(&context, issuer, certificate, nullptr, nullptr, 0);
  ExtensionPtr extension(X509V3_EXT_conf_nid(nullptr, &context, nid, value));
  return extension && X509_add_ext(certificate, extension.get(), -1) == 1;
}

struct CertificateRequest {
  const char* commonName;
  long days;
  std::initializer_list<std::pair<int, const char*>> extensions;
};

// A new key and a certificate for it, signed by `issuer` (self-signed when absent).
std::optional<Identity> MakeIdentity(const CertificateRequest& request, const Identity* issuer) {
  Identity made{KeyPtr(EVP_EC_gen("P-256")), CertPtr(X509_new())};
  X509* certificate = made.certificate.get();
  BignumPtr serial(BN_new());
  bool ok = made.key && certificate && serial && X509_set_version(certificate, 2) &&
            BN_rand(serial.get(), 127, BN_RAND_TOP_ANY, BN_RAND_BOTTOM_ANY) &&
            BN_to_ASN1_INTEGER(serial.get(), X509_get_serialNumber(certificate)) &&
            X509_gmtime_adj(X509_getm_notBefore(certificate), -kDaySeconds) &&
            X509_gmtime_adj(X509_getm_notAfter(certificate), request.days * kDaySeconds) &&
            X509_set_pubkey(certificate, made.key.get()) &&
            X509_NAME_add_entry_by_txt(X509_get_subject_name(certificate), "CN", MBSTRING_UTF8,
                                       reinterpret_cast<const unsigned char*>(request.commonName), -1, -1, 0);
  X509* issuerCertificate = issuer ? issuer->certificate.get() : certificate;
  EVP_PKEY* issuerKey = issuer ? issuer->key.get() : made.key.get();
  ok = ok && X509_set_issuer_name(certificate, X509_get_subject_name(issuerCertificate));
  for (const auto& [nid, value] : request.extensions)
    ok = ok && AddExtension(certificate, issuerCertificate, nid, value);
  ok = ok && X509_sign(certificate, issuerKey, EVP_sha256()) > 0;
  if (!ok) return std::nullopt;
  return made;
}

std::optional<Identity> MakeAuthority() {
  return MakeIdentity({"Vantorel local face service CA",
                       kCaDays,
                       {{NID_basic_constraints, "critical,CA:TRUE,pathlen:0"},
                        {NID_key_usage, "critical,keyCertSign,cRLSign"},
                        {NID_subject_key_identifier, "hash"},
                        {NID_authority_key_identifier, "keyid:always"}}},
                      nullptr);
}

std::optional<Identity> MakeServer(const Identity& authority) {
  return MakeIdentity({"localhost",
                       kServerDays,
                       {{NID_basic_constraints, "critical,CA:FALSE"},
                        {NID_key_usage, "critical,digitalSignature,keyEncipherment"},
                        {NID_ext_key_usage, "serverAuth"},
                        {NID_subject_alt_name, "DNS:localhost,IP:127.0.0.1,IP:::1"},
                        {NID_subject_key_identifier, "hash"},
                        {NID_authority_key_identifier, "keyid:always"}}},
                      &authority);
}

bool ValidFor(const Identity& identity, long days) {
  std::time_t until = std::time(nullptr) + days * kDaySeconds;
  return X509_cmp_time(X509_get0_notAfter(identity.certificate.get()), &until) > 0;
}

bool SignedBy(const Identity& server, const Identity& authority) {
  return X509_verify(server.certificate.get(), authority.key.get()) == 1;
}

}  // namespace

std::optional<CertificateFiles> PrepareCertificates(const std::string& dataDir, std::string& error) {
  const CertificateFiles files{dataDir + "/ca.pem", dataDir + "/server.pem", dataDir + "/server-key.pem"};
  const std::string caKey = dataDir + "/ca-key.pem";
  auto authority = LoadIdentity(files.caCertificate, caKey);
  if (!authority || !ValidFor(*authority, kServerDays)) {
    authority = MakeAuthority();
    if (!authority || !SaveIdentity(*authority, files.caCertificate, caKey)) {
      error = "cannot create the certificate authority in " + dataDir;
      return std::nullopt;
    }
  }
  auto server = LoadIdentity(files.serverCertificate, files.serverKey);
  if (!server || !ValidFor(*server, kRenewDays) || !SignedBy(*server, *authority)) {
    server = MakeServer(*authority);
    if (!server || !SaveIdentity(*server, files.serverCertificate, files.serverKey)) {
      error = "cannot create the server certificate in " + dataDir;
      return std::nullopt;
    }
  }
  return files;
}

}  // namespace vantorel::service
