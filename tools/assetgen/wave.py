"""RIFF WAVE writers: mono PCM (8 or 16 bit) and mono Microsoft ADPCM (4 bit)."""

import math
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


def _predict(sample1, sample2, c1, c2):
    # Decoders divide by 256 with truncation towards zero; the encoder must do the same or
    # its idea of the decoded signal drifts away from what is played.
    total = sample1 * c1 + sample2 * c2
    return total // 256 if total >= 0 else -((-total) // 256)


def _clamp16(value):
    return -32768 if value < -32768 else 32767 if value > 32767 else value


def _encode_with(block, predictor, delta):
    """Encodes one block with the given predictor and starting step; returns the nibbles
    and the squared error of the decoded signal."""
    c1, c2 = ADPCM_COEFFICIENTS[predictor]
    sample1, sample2 = block[1], block[0]
    nibbles = []
    error = 0
    for value in block[2:]:
        prediction = _predict(sample1, sample2, c1, c2)
        difference = value - prediction
        if difference >= 0:
            code = (difference + delta // 2) // delta
        else:
            code = -((-difference + delta // 2) // delta)
        code = max(-8, min(7, code))
        decoded = _clamp16(prediction + code * delta)
        error += (decoded - value) ** 2
        nibbles.append(code & 0x0F)
        sample2, sample1 = sample1, decoded
        delta = max(16, (ADPCM_ADAPTATION[code & 0x0F] * delta) // 256)
    return nibbles, error


def _encode_block(block):
    """Encodes one block of int16 samples; the block header holds the first two. Tries
    every predictor and keeps the one whose decoded signal lies closest to the input."""
    best = None
    for predictor, (c1, c2) in enumerate(ADPCM_COEFFICIENTS):
        head = block[2:18]
        mean_error = sum(abs(head[i] - _predict(block[i + 1], block[i], c1, c2))
                         for i in range(len(head))) // max(1, len(head))
        delta = max(16, mean_error // 2)
        nibbles, error = _encode_with(block, predictor, delta)
        if best is None or error < best[0]:
            best = (error, predictor, delta, nibbles)
    _, predictor, delta, nibbles = best
    header = struct.pack("<Bhhh", predictor, delta, block[1], block[0])
    if len(nibbles) % 2:
        nibbles.append(0)
    return header + bytes((nibbles[i] << 4) | nibbles[i + 1] for i in range(0, len(nibbles), 2))


def ms_adpcm(samples, rate, block_align, loop=False):
    """Float samples in -1..1 as MS ADPCM in whole blocks; the fact chunk holds the exact
    sample count, and decoders that honour it drop the padding of the last block. Other
    decoders play the padding: silence for a sound that has faded out; for a looping sound a
    crossfade from its own beginning back into its last samples, so that the repeat meets
    the start without a click either way."""
    values = _to_int16(samples)
    count = len(values)
    per_block = (block_align - 7) * 2 + 2
    padding = (-count) % per_block
    if loop and padding:
        for i in range(padding):
            weight = 0.5 - 0.5 * math.cos(math.pi * (i + 1) / (padding + 1))
            values.append(int(round(values[i % count] * (1.0 - weight)
                                    + values[(count - padding + i) % count] * weight)))
    else:
        values += [0] * padding
    data = b"".join(_encode_block(values[i:i + per_block])
                    for i in range(0, len(values), per_block))
    average = (rate * block_align + per_block // 2) // per_block
    fmt = struct.pack("<HHIIHHHHH", 2, 1, rate, average, block_align, 4, 32, per_block,
                      len(ADPCM_COEFFICIENTS))
    fmt += b"".join(struct.pack("<hh", c1, c2) for c1, c2 in ADPCM_COEFFICIENTS)
    return _riff([_chunk(b"fmt ", fmt), _chunk(b"fact", struct.pack("<I", count)),
                  _chunk(b"data", data)])
