#include "support/TestCertificateAuthority.h"

#include <openssl/evp.h>
#include <openssl/pem.h>
#include <openssl/x509v3.h>

#include <stdexcept>

namespace vantorel::test {

namespace {

struct KeyDeleter {
  void operator()(EVP_PKEY* key) const { EVP_PKEY_free(key); }
};
struct CertificateDeleter {
  void operator()(X509* certificate) const { X509_free(certificate); }
};
struct BioDeleter {
  void operator()(BIO* bio) const { BIO_free(bio); }
};
using Key = std::unique_ptr<EVP_PKEY, KeyDeleter>;
using Certificate = std::unique_ptr<X509, CertificateDeleter>;

void Require(bool condition, const char* what) {
  if (!condition) throw std::runtime_error(std::string("test CA: ") + what);
}

void AddExtension(X509* certificate, X509* issuer, int nid, const char* value) {
  X509V3_CTX context;
  X509V3_set_ctx(&context, issuer, certificate, nullptr, nullptr, 0);
  X509_EXTENSION* extension = X509V3_EXT_conf_nid(nullptr, &context, nid, value);
  Require(extension != nullptr && X509_add_ext(certificate, extension, -1) == 1, "extension");
  X509_EXTENSION_free(extension);
}

// A certificate for `key` named `commonName`, signed by the issuer (itself when null).
Certificate MakeCertificate(EVP_PKEY* key, const char* commonName, long serial, X509* issuer, EVP_PKEY* issuerKey) {
  Certificate certificate(X509_new());
  X509* raw = certificate.get();
  X509_set_version(raw, 2);
  ASN1_INTEGER_set(X509_get_serialNumber(raw), serial);
  X509_gmtime_adj(X509_getm_notBefore(raw), -3600);
  X509_gmtime_adj(X509_getm_notAfter(raw), 30L * 24 * 3600);
  X509_set_pubkey(raw, key);
  X509_NAME* name = X509_get_subject_name(raw);
  X509_NAME_add_entry_by_txt(name, "CN", MBSTRING_ASC, reinterpret_cast<const unsigned char*>(commonName), -1, -1, 0);
  X509* signer = issuer ? issuer : raw;
  X509_set_issuer_name(raw, X509_get_subject_name(signer));
  AddExtension(raw, signer, NID_subject_key_identifier, "hash");
  if (issuer == nullptr) {
    AddExtension(raw, signer, NID_basic_constraints, "critical,CA:TRUE");
    AddExtension(raw, signer, NID_key_usage, "critical,keyCertSign,cRLSign");
  } else {
    AddExtension(raw, signer, NID_authority_key_identifier, "keyid");
    AddExtension(raw, signer, NID_basic_constraints, "CA:FALSE");
    AddExtension(raw, signer, NID_key_usage, "critical,digitalSignature");
    AddExtension(raw, signer, NID_ext_key_usage, "serverAuth");
    AddExtension(raw, signer, NID_subject_alt_name, "IP:127.0.0.1,DNS:localhost");
  }
  Require(X509_sign(raw, issuerKey, EVP_sha256()) > 0, "signing");
  return certificate;
}

std::string ToPem(X509* certificate) {
  std::unique_ptr<BIO, BioDeleter> bio(BIO_new(BIO_s_mem()));
  Require(PEM_write_bio_X509(bio.get(), certificate) == 1, "PEM");
  char* data = nullptr;
  long length = BIO_get_mem_data(bio.get(), &data);
  return std::string(data, static_cast<std::size_t>(length));
}

}  // namespace

TestCertificateAuthority::TestCertificateAuthority() {
  Key caKey(EVP_EC_gen("P-256"));
  Key serverKey(EVP_EC_gen("P-256"));
  Require(caKey && serverKey, "key generation");
  Certificate ca = MakeCertificate(caKey.get(), "Vantorel test CA", 1, nullptr, caKey.get());
  Certificate server = MakeCertificate(serverKey.get(), "127.0.0.1", 2, ca.get(), caKey.get());
  caPem_ = ToPem(ca.get());
  context_.reset(SSL_CTX_new(TLS_server_method()));
  Require(context_ && SSL_CTX_use_certificate(context_.get(), server.get()) == 1 &&
              SSL_CTX_use_PrivateKey(context_.get(), serverKey.get()) == 1,
          "server context");
}

TestCertificateAuthority::~TestCertificateAuthority() = default;

}  // namespace vantorel::test
