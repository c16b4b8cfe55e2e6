"""Pixels in and out: PNG decoding and encoding, colour reduction, BMP writing.

Pictures are lists of (r, g, b, a) tuples in top-down row order. Everything here is
deterministic: the same input gives the same bytes.
"""

import struct
import zlib


class Image:
    def __init__(self, width, height, pixels):
        self.width = width
        self.height = height
        self.pixels = pixels  # top-down rows of (r, g, b, a)


def _paeth(a, b, c):
    p = a + b - c
    pa = abs(p - a)
    pb = abs(p - b)
    pc = abs(p - c)
    if pa <= pb and pa <= pc:
        return a
    if pb <= pc:
        return b
    return c


def decode_png(data):
    """Decodes a non-interlaced 8-bit RGB or RGBA PNG (what rsvg-convert writes)."""
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise ValueError("not a PNG file")
    pos = 8
    idat = []
    width = height = colour_type = None
    while pos < len(data):
        (length,) = struct.unpack(">I", data[pos:pos + 4])
        kind = data[pos + 4:pos + 8]
        body = data[pos + 8:pos + 8 + length]
        pos += 12 + length
        if kind == b"IHDR":
            width, height, depth, colour_type, _, _, interlace = struct.unpack(">IIBBBBB", body)
            if depth != 8 or colour_type not in (2, 6) or interlace != 0:
                raise ValueError("unsupported PNG layout")
        elif kind == b"IDAT":
            idat.append(body)
        elif kind == b"IEND":
            break
    raw = zlib.decompress(b"".join(idat))
    channels = 4 if colour_type == 6 else 3
    stride = width * channels
    rows = []
    previous = bytearray(stride)
    offset = 0
    for _ in range(height):
        filter_type = raw[offset]
        line = bytearray(raw[offset + 1:offset + 1 + stride])
        offset += 1 + stride
        if filter_type == 1:
            for i in range(channels, stride):
                line[i] = (line[i] + line[i - channels]) & 0xFF
        elif filter_type == 2:
            for i in range(stride):
                line[i] = (line[i] + previous[i]) & 0xFF
        elif filter_type == 3:
            for i in range(stride):
                left = line[i - channels] if i >= channels else 0
                line[i] = (line[i] + ((left + previous[i]) >> 1)) & 0xFF
        elif filter_type == 4:
            for i in range(stride):
                left = line[i - channels] if i >= channels else 0
                upper_left = previous[i - channels] if i >= channels else 0
                line[i] = (line[i] + _paeth(left, previous[i], upper_left)) & 0xFF
        elif filter_type != 0:
            raise ValueError("bad PNG filter")
        rows.append(line)
        previous = line
    pixels = []
    for line in rows:
        if channels == 4:
            pixels.extend(zip(line[0::4], line[1::4], line[2::4], line[3::4]))
        else:
            pixels.extend((r, g, b, 255) for r, g, b in zip(line[0::3], line[1::3], line[2::3]))
    return Image(width, height, pixels)


def encode_png(image):
    """Encodes an RGBA PNG with no ancillary chunks, so the bytes depend on the pixels only."""
    def chunk(kind, body):
        return (struct.pack(">I", len(body)) + kind + body
                + struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF))

    raw = bytearray()
    for y in range(image.height):
        raw.append(0)
        for r, g, b, a in image.pixels[y * image.width:(y + 1) * image.width]:
            raw += bytes((r, g, b, a))
    header = struct.pack(">IIBBBBB", image.width, image.height, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
            + chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b""))


def flatten(image, background):
    """Composites the picture over an opaque background colour."""
    br, bg, bb = background
    out = []
    for r, g, b, a in image.pixels:
        if a == 255:
            out.append((r, g, b))
        else:
            # rsvg-convert writes straight (not premultiplied) alpha.
            out.append(((r * a + br * (255 - a) + 127) // 255,
                        (g * a + bg * (255 - a) + 127) // 255,
                        (b * a + bb * (255 - a) + 127) // 255))
    return out


def _median_cut(counts, size):
    """Splits the colour set into at most `size` boxes; returns their weighted mean colours."""
    boxes = [sorted(counts.items())]

    def spread(box):
        best = (0, 0)
        for channel in range(3):
            values = [colour[channel] for colour, _ in box]
            extent = max(values) - min(values)
            if extent > best[0]:
                best = (extent, channel)
        return best

    while len(boxes) < size:
        # Split the box with the largest spread weighted by its pixel count.
        scored = []
        for index, box in enumerate(boxes):
            extent, channel = spread(box)
            if extent == 0:
                continue
            weight = sum(count for _, count in box)
            scored.append((extent * weight, -index, index, channel))
        if not scored:
            break
        _, _, index, channel = max(scored)
        box = sorted(boxes[index], key=lambda item: (item[0][channel], item[0]))
        total = sum(count for _, count in box)
        running = 0
        cut = 1
        for position, (_, count) in enumerate(box):
            running += count
            if running * 2 >= total:
                cut = min(max(position + 1, 1), len(box) - 1)
                break
        boxes[index:index + 1] = [box[:cut], box[cut:]]
    palette = []
    for box in boxes:
        total = sum(count for _, count in box)
        palette.append(tuple((sum(colour[c] * count for colour, count in box) + total // 2) // total
                             for c in range(3)))
    return palette


def quantise(colours, size=256):
    """Returns (palette, indices) with at most `size` palette entries."""
    counts = {}
    for colour in colours:
        counts[colour] = counts.get(colour, 0) + 1
    if len(counts) <= size:
        palette = sorted(counts)
    else:
        palette = sorted(set(_median_cut(counts, size)))
    lookup = {}
    for colour in counts:
        r, g, b = colour
        best_index = 0
        best_distance = None
        for index, (pr, pg, pb) in enumerate(palette):
            distance = 2 * (r - pr) ** 2 + 4 * (g - pg) ** 2 + 3 * (b - pb) ** 2
            if best_distance is None or distance < best_distance:
                best_distance = distance
                best_index = index
        lookup[colour] = best_index
    return palette, [lookup[colour] for colour in colours]


def encode_bmp(width, height, colours, bits):
    """An uncompressed bottom-up BMP with a 40-byte info header: 8-bit with a 256-entry
    palette, or 24-bit."""
    if bits == 8:
        palette, indices = quantise(colours)
        palette = list(palette) + [(0, 0, 0)] * (256 - len(palette))
        stride = (width + 3) & ~3
        pixel_data = bytearray()
        for y in range(height - 1, -1, -1):
            row = bytes(indices[y * width:(y + 1) * width])
            pixel_data += row + bytes(stride - width)
        palette_data = b"".join(bytes((b, g, r, 0)) for r, g, b in palette)
        colours_used = 256
    elif bits == 24:
        stride = (width * 3 + 3) & ~3
        pixel_data = bytearray()
        for y in range(height - 1, -1, -1):
            row = bytearray()
            for r, g, b in colours[y * width:(y + 1) * width]:
                row += bytes((b, g, r))
            pixel_data += row + bytes(stride - width * 3)
        palette_data = b""
        colours_used = 0
    else:
        raise ValueError("bit depth must be 8 or 24")
    offset = 14 + 40 + len(palette_data)
    file_header = struct.pack("<2sIHHI", b"BM", offset + len(pixel_data), 0, 0, offset)
    info_header = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, len(pixel_data),
                              2835, 2835, colours_used, 0)
    return file_header + info_header + palette_data + bytes(pixel_data)
