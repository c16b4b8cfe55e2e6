"""RIFF WAVE writers: mono PCM (8 or 16 bit) and mono Microsoft ADPCM (4 bit)."""

import struct

# The seven predictor coefficient pairs every MS ADPCM file carries.
ADPCM_COEFFICIENTS = [(256, 0), (512, -256), (0, 0), (192, 64), (240, 0), (460, -208),
                      (392, -232)]
ADPCM_ADAPTATION = [230, 230, 230, 230, 307, 409, 512, 614,
                    768, 614, 512, 409, 307, 230, 230, 230]


def _chunk(kind, body):
    pad = b"\x00" if len(body) % 2 else b""
    return kind + struct.pack("<I", len(body)) + body + pad


def _riff(chunks):
    body = b"WAVE" + b"".join(chunks)
    return b"RIFF" + struct.pack("<I", len(body)) + body


def _to_int16(samples):
    return [max(-32768, min(32767, int(round(s * 32767.0)))) for s in samples]


def pcm(samples, rate, bits):
    """Float samples in -1..1 as PCM: 8-bit unsigned or 16-bit signed little-endian."""
    if bits == 16:
        data = struct.pack("<%dh" % len(samples), *_to_int16(samples))
    elif bits == 8:
        data = bytes(max(0, min(255, int(round(128 + s * 127.0)))) for s in samples)
    else:
        raise ValueError("PCM depth must be 8 or 16")
    block = bits // 8
    fmt = struct.pack("<HHIIHH", 1, 1, rate, rate * block, block, bits)
    return _riff([_chunk(b"fmt ", fmt), _chunk(b"data", data)])


def _clamp16(value):
    return -32768 if value < -32768 else 32767 if value > 32767 else value


def _encode_block(block):
    """Encodes up to one block of int16 samples; the block header holds the first two."""
    # Pick the predictor that fits the block's signal best, and a starting step size
    # from the size of its prediction errors.
    best = None
    for index, (c1, c2) in enumerate(ADPCM_COEFFICIENTS):
        error = 0
        for i in range(2, len(block)):
            error += abs(block[i] - ((block[i - 1] * c1 + block[i - 2] * c2) >> 8))
        if best is None or error < best[0]:
            best = (error, index)
    predictor = best[1] if len(block) > 2 else 0
    c1, c2 = ADPCM_COEFFICIENTS[predictor]
    head = block[2:18]
    if head:
        mean_error = sum(abs(head[i] - ((block[i + 1] * c1 + block[i] * c2) >> 8))
                         for i in range(len(head))) // len(head)
    else:
        mean_error = 0
    delta = max(16, mean_error // 2)
    second = block[1] if len(block) > 1 else block[0]
    header = struct.pack("<Bhhh", predictor, delta, second, block[0])
    sample1, sample2 = second, block[0]
    nibbles = []
    for value in block[2:]:
        prediction = (sample1 * c1 + sample2 * c2) >> 8
        difference = value - prediction
        if difference >= 0:
            code = (difference + delta // 2) // delta
        else:
            code = -((-difference + delta // 2) // delta)
        code = max(-8, min(7, code))
        decoded = _clamp16(prediction + code * delta)
        nibbles.append(code & 0x0F)
        sample2, sample1 = sample1, decoded
        delta = max(16, (ADPCM_ADAPTATION[code & 0x0F] * delta) >> 8)
    if len(nibbles) % 2:
        nibbles.append(0)
    data = bytes((nibbles[i] << 4) | nibbles[i + 1] for i in range(0, len(nibbles), 2))
    return header + data


def ms_adpcm(samples, rate, block_align):
    """Float samples in -1..1 as MS ADPCM. The last block is cut short after the last
    sample; the fact chunk holds the exact sample count."""
    values = _to_int16(samples)
    per_block = (block_align - 7) * 2 + 2
    data = b"".join(_encode_block(values[i:i + per_block])
                    for i in range(0, len(values), per_block))
    average = (rate * block_align + per_block // 2) // per_block
    fmt = struct.pack("<HHIIHHHHH", 2, 1, rate, average, block_align, 4, 32, per_block,
                      len(ADPCM_COEFFICIENTS))
    fmt += b"".join(struct.pack("<hh", c1, c2) for c1, c2 in ADPCM_COEFFICIENTS)
    return _riff([_chunk(b"fmt ", fmt), _chunk(b"fact", struct.pack("<I", len(values))),
                  _chunk(b"data", data)])
