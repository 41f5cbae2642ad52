# A thousand two-page files from one template: the same embedded Type 1 font
# (NimbusSans, flate-compressed) and the same logo image in every file,
# different text on every page.
import struct, sys, zlib, os

def pfb_segments(path):
    data = open(path, 'rb').read(); parts = []; i = 0
    while i < len(data) and data[i] == 0x80 and data[i + 1] in (1, 2):
        n = struct.unpack('<I', data[i + 2:i + 6])[0]; parts.append(data[i + 6:i + 6 + n]); i += 6 + n
    return parts

def build(objects):
    out = bytearray(b'%PDF-1.4\n%\xe2\xe3\xcf\xd3\n'); offsets = []
    for n, body in enumerate(objects, 1):
        offsets.append(len(out)); out += b'%d 0 obj\n' % n + body + b'\nendobj\n'
    xref = len(out)
    out += b'xref\n0 %d\n0000000000 65535 f \n' % (len(objects) + 1)
    for o in offsets: out += b'%010d 00000 n \n' % o
    out += b'trailer\n<< /Size %d /Root 1 0 R >>\nstartxref\n%d\n%%%%EOF\n' % (len(objects) + 1, xref)
    return bytes(out)

def stream(entries, data):
    return b'<< ' + entries + b' /Length %d >>\nstream\n' % len(data) + data + b'\nendstream'

ascii_part, binary_part, *_ = pfb_segments('/usr/share/fonts/X11/Type1/NimbusSans-Regular.pfb')
fontfile = stream(b'/Filter /FlateDecode /Length1 %d /Length2 %d /Length3 0' % (len(ascii_part), len(binary_part)),
                  zlib.compress(ascii_part + binary_part))
logo = stream(b'/Type /XObject /Subtype /Image /Width 64 /Height 64 /ColorSpace /DeviceRGB /BitsPerComponent 8 /Filter /FlateDecode',
              zlib.compress(bytes((x * 3 + y * 5 + c * 40) % 256 for y in range(64) for x in range(64) for c in range(3))))
widths = b' '.join(b'556' for _ in range(32, 127))

def document(k):
    objs = [b'<< /Type /Catalog /Pages 2 0 R >>', b'<< /Type /Pages /Kids [7 0 R 9 0 R] /Count 2 >>',
            b'<< /Type /Font /Subtype /Type1 /BaseFont /NimbusSans-Regular /FirstChar 32 /LastChar 126 /Widths [' + widths +
            b'] /Encoding /WinAnsiEncoding /FontDescriptor 4 0 R >>',
            b'<< /Type /FontDescriptor /FontName /NimbusSans-Regular /Flags 32 /FontBBox [-208 -309 1000 1200] /ItalicAngle 0 '
            b'/Ascent 729 /Descent -218 /CapHeight 729 /StemV 85 /FontFile 5 0 R >>',
            fontfile, logo]
    for page in (1, 2):
        text = b'q 96 0 0 96 460 680 cm /Logo Do Q BT /F1 24 Tf 72 700 Td (Invoice %d, page %d) Tj 0 -40 Td /F1 12 Tf ' % (k, page)
        for line in range(30):
            text += b'(Item %d of customer %d: %d units at %d.%02d) Tj 0 -16 Td ' % (line, k, (k * 7 + line) % 90, line * 3 + 1, k % 100)
        text += b'ET'
        objs.append(b'<< /Type /Page /Parent 2 0 R /MediaBox [0 0 612 792] /Resources << /Font << /F1 3 0 R >> '
                    b'/XObject << /Logo 6 0 R >> >> /Contents %d 0 R >>' % (len(objs) + 2))
        objs.append(stream(b'/Filter /FlateDecode', zlib.compress(text)))
    return build(objs)

folder, count = sys.argv[1], int(sys.argv[2])
for k in range(1, count + 1):
    open(os.path.join(folder, 'invoice-%04d.pdf' % k), 'wb').write(document(k))
