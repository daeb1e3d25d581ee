"""A GUID in Windows' form from the SHA-256 of some bytes, marked as a
name-based GUID (version 5, RFC 4122 variant): the same bytes always give
the same GUID, other bytes another one.
"""
import hashlib


def guid_of(data):
    digest = bytearray(hashlib.sha256(data).digest()[:16])
    digest[6] = (digest[6] & 0x0F) | 0x50
    digest[8] = (digest[8] & 0x3F) | 0x80
    text = digest.hex().upper()
    return f"{{{text[:8]}-{text[8:12]}-{text[12:16]}-{text[16:20]}-{text[20:]}}}"
