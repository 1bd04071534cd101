"""The QR set of a PTC file, written from the format alone (zlib and hashlib),
as the reference the program's own stream and codes are checked against."""
import hashlib
import struct
import zlib


def stream_of(ptc, level=9, wbits=15):
    packer = zlib.compressobj(level, zlib.DEFLATED, wbits)
    packed = packer.compress(ptc[36:]) + packer.flush()
    return ptc[12:20] + ptc[44:48] + struct.pack("<II", len(packed), len(ptc) - 36) + packed


def codes_of(stream, chunk=630):
    parts = [stream[i:i + chunk] for i in range(0, len(stream), chunk)]
    whole = hashlib.md5(stream).digest()
    return [b"PT" + bytes([k + 1, len(parts)]) + hashlib.md5(p).digest() + whole + p
            for k, p in enumerate(parts)]


def ptc_of(name, type_string, body, type_code):
    rest = type_string + body
    digest = hashlib.md5(b"PETITCOM" + rest).digest()
    return (b"PX01" + struct.pack("<II", len(rest), type_code) + name.ljust(8, b"\0") + digest
            + rest)
