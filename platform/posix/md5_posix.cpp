#include <openssl/crypto.h>
#include <openssl/evp.h>

#include <memory>

#include "platform/md5.h"

namespace tw {

bool md5_digest(const void* data, size_t len, uint8_t out[16]) {
    std::unique_ptr<EVP_MD_CTX, decltype(&EVP_MD_CTX_free)> ctx(EVP_MD_CTX_new(), &EVP_MD_CTX_free);
    unsigned int n = 0;
    return ctx && EVP_DigestInit_ex(ctx.get(), EVP_md5(), nullptr) == 1 &&
           EVP_DigestUpdate(ctx.get(), data, len) == 1 &&
           EVP_DigestFinal_ex(ctx.get(), out, &n) == 1 && n == 16;
}

const char* md5_backend_name() {
    return OpenSSL_version(OPENSSL_VERSION);
}

}  // namespace tw
