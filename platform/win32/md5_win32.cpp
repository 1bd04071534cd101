#include <windows.h>
// wincrypt.h must follow windows.h
#include <wincrypt.h>

#include "platform/md5.h"

namespace tw {

bool md5_digest(const void* data, size_t len, uint8_t out[16]) {
    HCRYPTPROV prov = 0;
    if (!CryptAcquireContextA(&prov, nullptr, nullptr, PROV_RSA_FULL, CRYPT_VERIFYCONTEXT))
        return false;
    HCRYPTHASH hash = 0;
    bool ok = CryptCreateHash(prov, CALG_MD5, 0, 0, &hash) != 0;
    const auto* p = static_cast<const BYTE*>(data);
    while (ok && len > 0) {
        DWORD chunk = len > 0x40000000u ? 0x40000000u : static_cast<DWORD>(len);
        ok = CryptHashData(hash, p, chunk, 0) != 0;
        p += chunk;
        len -= chunk;
    }
    DWORD n = 16;
    ok = ok && CryptGetHashParam(hash, HP_HASHVAL, out, &n, 0) && n == 16;
    if (hash) CryptDestroyHash(hash);
    CryptReleaseContext(prov, 0);
    return ok;
}

const char* md5_backend_name() {
    return "CryptoAPI (CALG_MD5)";
}

}  // namespace tw
