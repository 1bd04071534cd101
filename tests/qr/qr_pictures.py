"""QR symbols drawn by Python qrcode (8-bit mode, the version and level asked
for), alone or laid out as a sheet: pictures made without our code."""
import qrcode
import qrcode.base
import qrcode.util
from PIL import Image

# qrcode 7.4 fails (glog(0)) on a block of data that is all zeros, as a
# compressed run of zeros gives; the error correction of zeros is zeros.
_remainder = qrcode.base.Polynomial.__mod__
qrcode.base.Polynomial.__mod__ = (
    lambda self, other: qrcode.base.Polynomial([0], 0) if not any(self.num)
    else _remainder(self, other))

LEVELS = {"L": qrcode.constants.ERROR_CORRECT_L, "M": qrcode.constants.ERROR_CORRECT_M,
          "Q": qrcode.constants.ERROR_CORRECT_Q}


def symbol(code, n=3, version=20, level="M"):
    qr = qrcode.QRCode(version=version, error_correction=LEVELS[level], box_size=n, border=4,
                       mask_pattern=(code[2] + len(code)) % 8)  # one mask: eight take long
    qr.add_data(qrcode.util.QRData(code, mode=qrcode.util.MODE_8BIT_BYTE))
    qr.make(fit=False)
    return qr.make_image().get_image().convert("L")


def sheet(images, columns=4, gap=12):
    w, h = images[0].size
    rows = (len(images) + columns - 1) // columns
    out = Image.new("L", (columns * (w + gap), rows * (h + gap)), 255)
    for i, im in enumerate(images):
        out.paste(im, ((i % columns) * (w + gap), (i // columns) * (h + gap)))
    return out
