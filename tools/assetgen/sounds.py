"""The game's sounds, synthesised from scratch. Deterministic: noise comes from a fixed
linear congruential generator, and every length is a whole number of samples."""

import math

from . import wave

TAU = 2.0 * math.pi
NOTE_INDEX = {"C": -9, "D": -7, "E": -5, "F": -4, "G": -2, "A": 0, "B": 2}


def pitch(name):
    """Frequency of a note name such as A4, F#3 or Bb5 (A4 = 440 Hz)."""
    semitone = NOTE_INDEX[name[0]]
    rest = name[1:]
    while rest and rest[0] in "#b":
        semitone += 1 if rest[0] == "#" else -1
        rest = rest[1:]
    return 440.0 * 2.0 ** ((semitone + 12 * (int(rest) - 4)) / 12.0)


class Noise:
    def __init__(self, seed):
        self.state = seed & 0xFFFFFFFF

    def next(self):
        self.state = (self.state * 1664525 + 1013904223) & 0xFFFFFFFF
        return self.state / 2147483648.0 - 1.0


class Track:
    """A mono mix buffer. A looping track wraps what passes its end round to the start,
    so the sound repeats without a seam."""

    def __init__(self, rate, length, loop=False):
        self.rate = rate
        self.samples = [0.0] * length
        self.loop = loop

    def add(self, start, values, gain=1.0):
        length = len(self.samples)
        first = int(round(start * self.rate))
        for offset, value in enumerate(values):
            index = first + offset
            if self.loop:
                index %= length
            elif index >= length:
                break
            if index >= 0:
                self.samples[index] += value * gain


def _harmonics(shape, top_frequency, rate):
    """Partials (number, weight) of a band-limited waveform below the Nyquist frequency."""
    limit = 0.45 * rate / max(top_frequency, 1.0)
    if shape == "sine":
        return [(1, 1.0)]
    if shape == "triangle":
        return [(k, (8 / math.pi ** 2) * (-1) ** ((k - 1) // 2) / k ** 2)
                for k in (1, 3, 5, 7) if k <= limit] or [(1, 1.0)]
    if shape == "square":
        return [(k, 4 / math.pi / k) for k in range(1, 16, 2) if k <= limit] or [(1, 1.0)]
    if shape == "saw":
        return [(k, 2 / math.pi / k) for k in range(1, 13) if k <= limit] or [(1, 1.0)]
    raise ValueError(shape)


def envelope(count, rate, attack=0.005, decay=None, sustain=1.0, release=0.02, hold=None):
    """Attack, then an exponential decay (time constant `decay`) towards `sustain`, then a
    release ramp over the last `release` seconds."""
    values = []
    attack_n = max(1, int(attack * rate))
    release_n = max(1, int(release * rate))
    for i in range(count):
        if i < attack_n:
            level = i / attack_n
        else:
            level = 1.0
            if decay:
                t = (i - attack_n) / rate
                level = sustain + (1.0 - sustain) * math.exp(-t / decay)
        remaining = count - i
        if remaining < release_n:
            level *= remaining / release_n
        values.append(level)
    return values


def tone(rate, duration, frequency, shape="sine", end_frequency=None, vibrato=0.0,
         vibrato_rate=5.5, **env):
    count = int(duration * rate)
    end_frequency = end_frequency or frequency
    partials = _harmonics(shape, max(frequency, end_frequency) * (1 + vibrato), rate)
    levels = envelope(count, rate, **env)
    out = []
    phase = 0.0
    for i in range(count):
        t = i / rate
        f = frequency + (end_frequency - frequency) * (i / max(1, count - 1))
        if vibrato:
            f *= 1.0 + vibrato * math.sin(TAU * vibrato_rate * t)
        phase += TAU * f / rate
        value = 0.0
        for k, weight in partials:
            value += weight * math.sin(k * phase)
        out.append(value * levels[i])
    return out


def noise_burst(rate, duration, seed, low_pass=None, high_pass=None, **env):
    count = int(duration * rate)
    levels = envelope(count, rate, **env)
    source = Noise(seed)
    out = []
    low = high = 0.0
    a_low = 1.0 - math.exp(-TAU * low_pass / rate) if low_pass else 1.0
    a_high = 1.0 - math.exp(-TAU * high_pass / rate) if high_pass else 0.0
    for i in range(count):
        x = source.next()
        low += a_low * (x - low)
        high += a_high * (low - high)
        out.append((low - high) * levels[i])
    return out


def low_pass(values, rate, cutoff):
    a = 1.0 - math.exp(-TAU * cutoff / rate)
    y = 0.0
    out = []
    for x in values:
        y += a * (x - y)
        out.append(y)
    return out


def bell(rate, duration, frequency, decay):
    """A bright struck tone: a fundamental and two inharmonic partials."""
    count = int(duration * rate)
    out = []
    for i in range(count):
        t = i / rate
        value = (math.sin(TAU * frequency * t) * math.exp(-t / decay)
                 + 0.35 * math.sin(TAU * frequency * 2.76 * t) * math.exp(-t / (decay * 0.5))
                 + 0.15 * math.sin(TAU * frequency * 5.4 * t) * math.exp(-t / (decay * 0.25)))
        attack = min(1.0, i / (0.002 * rate))
        out.append(value * attack)
    return out


def brass(rate, duration, frequency, level=1.0):
    """A soft brass-like note: a sawtooth whose brightness opens with the attack."""
    raw = tone(rate, duration, frequency, "saw", vibrato=0.004, attack=0.03, decay=0.25,
               sustain=0.75, release=0.06)
    return [v * level for v in low_pass(raw, rate, min(0.2 * rate, frequency * 4))]


def kick(rate):
    count = int(0.25 * rate)
    out = []
    phase = 0.0
    for i in range(count):
        t = i / rate
        f = 45 + 110 * math.exp(-t / 0.03)
        phase += TAU * f / rate
        out.append(math.sin(phase) * math.exp(-t / 0.07) * min(1.0, i / (0.001 * rate)))
    return out


def snare(rate, seed):
    body = tone(rate, 0.18, 190, "triangle", attack=0.001, decay=0.04, sustain=0.0, release=0.02)
    hiss = noise_burst(rate, 0.18, seed, low_pass=min(5000, 0.45 * rate), high_pass=600,
                       attack=0.001, decay=0.05, sustain=0.0, release=0.02)
    return [0.5 * b + 0.8 * h for b, h in zip(body, hiss)]


def hat(rate, seed):
    return noise_burst(rate, 0.06, seed, high_pass=min(6000, 0.3 * rate), attack=0.001,
                       decay=0.012, sustain=0.0, release=0.01)


def finish(samples, rate, target_rms, peak=0.89, fade_in=0.003, fade_out=0.012):
    """Sets the loudness (RMS, never past the peak limit) and fades both ends."""
    samples = list(samples)
    n = len(samples)
    for i in range(min(n, int(fade_in * rate))):
        samples[i] *= i / (fade_in * rate)
    for i in range(min(n, int(fade_out * rate))):
        samples[n - 1 - i] *= i / (fade_out * rate)
    return normalise(samples, target_rms, peak)


def normalise(samples, target_rms, peak=0.89):
    rms = math.sqrt(sum(s * s for s in samples) / len(samples))
    top = max(abs(s) for s in samples)
    gain = min(target_rms / rms if rms else 1.0, peak / top if top else 1.0)
    return [s * gain for s in samples]


def seconds(count, rate):
    return count / rate


# --- the sounds --------------------------------------------------------------------------

def score_tick():
    rate, count = 11025, 2977
    track = Track(rate, count)
    track.add(0.0, bell(rate, 0.05, pitch("E6"), 0.03), 0.6)
    track.add(0.045, bell(rate, seconds(count, rate) - 0.045, pitch("B6"), 0.06))
    return wave.pcm(finish(track.samples, rate, 0.16), rate, 16)


def clock_tick():
    rate, count = 11025, 1764
    track = Track(rate, count)
    knock = tone(rate, 0.12, 1250, "sine", attack=0.0005, decay=0.012, sustain=0.0, release=0.01)
    wood = noise_burst(rate, 0.05, 7, low_pass=3000, high_pass=800, attack=0.0005, decay=0.006,
                       sustain=0.0, release=0.01)
    track.add(0.0, knock, 0.8)
    track.add(0.0, wood, 0.6)
    return wave.pcm(finish(track.samples, rate, 0.1), rate, 16)


def time_out():
    rate, count = 22050, 15215
    track = Track(rate, count)
    track.add(0.0, brass(rate, 0.22, pitch("G4")))
    track.add(0.22, brass(rate, 0.46, pitch("E4")))
    # The second note sags like a deflating horn.
    sag = tone(rate, 0.46, pitch("E4"), "square", end_frequency=pitch("C4"), vibrato=0.02,
               vibrato_rate=7, attack=0.02, decay=0.2, sustain=0.6, release=0.1)
    track.add(0.22, low_pass(sag, rate, 1500), 0.5)
    return wave.pcm(finish(track.samples, rate, 0.17), rate, 8)


def cheer_rising():
    """Sound 140: a rising arpeggio with a sparkle on top."""
    rate, count = 22050, 18743
    track = Track(rate, count)
    for i, name in enumerate(("C5", "E5", "G5", "C6")):
        start = i * 0.09
        length = seconds(count, rate) - start
        track.add(start, tone(rate, length, pitch(name), "triangle", attack=0.004, decay=0.18,
                              sustain=0.0, release=0.05), 0.5)
    track.add(0.36, bell(rate, seconds(count, rate) - 0.36, pitch("G6"), 0.18), 0.35)
    return wave.pcm(finish(track.samples, rate, 0.17), rate, 8)


def cheer_tada():
    """Sound 141: a short ta-da, two bright chords."""
    rate, count = 22050, 10143
    track = Track(rate, count)
    for name in ("G4", "B4", "D5"):
        track.add(0.0, brass(rate, 0.11, pitch(name)), 0.35)
    for name in ("C5", "E5", "G5", "C6"):
        track.add(0.12, brass(rate, seconds(count, rate) - 0.12, pitch(name)), 0.3)
    return wave.pcm(finish(track.samples, rate, 0.17, fade_out=0.06), rate, 16)


def cheer_run():
    """Sound 142: a quick run up the scale and a ringing double chime."""
    rate, count = 22050, 19845
    track = Track(rate, count)
    for i, name in enumerate(("C5", "D5", "E5", "G5", "A5")):
        track.add(i * 0.06, tone(rate, 0.1, pitch(name), "square", attack=0.003, decay=0.05,
                                 sustain=0.3, release=0.03), 0.22)
    track.add(0.32, bell(rate, 0.25, pitch("C6"), 0.09), 0.6)
    track.add(0.45, bell(rate, seconds(count, rate) - 0.45, pitch("E6"), 0.16), 0.6)
    return wave.pcm(finish(track.samples, rate, 0.17), rate, 8)


def wrong_answer():
    """Sound 151: a low buzz in two pulses."""
    rate, count = 11025, 11414
    track = Track(rate, count)
    for start, length in ((0.0, 0.38), (0.48, 0.52)):
        a = tone(rate, length, 104, "square", attack=0.01, decay=0.5, sustain=0.7, release=0.06)
        b = tone(rate, length, 110, "saw", attack=0.01, decay=0.5, sustain=0.7, release=0.06)
        track.add(start, low_pass([x + y for x, y in zip(a, b)], rate, 1400), 0.5)
    return wave.ms_adpcm(finish(track.samples, rate, 0.16), rate, 256)


def click():
    rate, count = 11025, 1103
    track = Track(rate, count)
    track.add(0.0, tone(rate, 0.06, 2100, "sine", attack=0.0005, decay=0.006, sustain=0.0,
                        release=0.005))
    track.add(0.0, noise_burst(rate, 0.02, 3, low_pass=4000, high_pass=1500, attack=0.0005,
                               decay=0.003, sustain=0.0, release=0.005), 0.4)
    return wave.pcm(finish(track.samples, rate, 0.07), rate, 16)


def refusal():
    """Sound 206: a low 'uh-uh'."""
    rate, count = 22050, 5072
    track = Track(rate, count)
    track.add(0.0, low_pass(tone(rate, 0.09, 233, "square", attack=0.004, release=0.02), rate,
                            1800))
    track.add(0.12, low_pass(tone(rate, 0.11, 196, "square", attack=0.004, release=0.03), rate,
                             1800))
    return wave.pcm(finish(track.samples, rate, 0.16), rate, 16)


def get_ready():
    """Sound 148: a drum roll that swells, then a fanfare that ends on a held chord."""
    rate, count = 11025, 83352
    track = Track(rate, count)
    # Drum roll over the first 2.4 s, growing louder.
    hits = 36
    for i in range(hits):
        start = i * 2.4 / hits
        track.add(start, snare(rate, 100 + i), 0.15 + 0.55 * i / hits)
    track.add(2.4, kick(rate), 1.0)
    # Fanfare: three pick-up notes, then up the chord.
    beat = 0.36
    melody = [("G4", 0.5), ("G4", 0.5), ("G4", 0.5), ("C5", 1.5), ("G4", 0.5), ("C5", 0.5),
              ("E5", 1.5), ("D5", 0.5), ("E5", 0.5), ("G5", 3.0)]
    t = 2.5
    for name, beats in melody:
        track.add(t, brass(rate, beats * beat * 0.95, pitch(name)), 0.45)
        track.add(t, brass(rate, beats * beat * 0.95, pitch(name) / 2), 0.2)
        t += beats * beat
    for start in (2.5, 3.04, 3.22, 4.3, 4.66, 5.2):
        track.add(start, kick(rate), 0.5)
    # The last note and a full chord ring on and die away just as the wait ends.
    final = t - 3.0 * beat
    ring = seconds(count, rate) - final
    for name in ("C4", "E4", "G4", "C5"):
        track.add(final, brass(rate, ring, pitch(name)), 0.2)
    track.add(final, snare(rate, 999), 0.6)
    track.add(final, kick(rate), 0.9)
    samples = track.samples
    tail_start = int((final + 1.1) * rate)
    for i in range(tail_start, count):
        samples[i] *= (1.0 - (i - tail_start) / (count - tail_start)) ** 2
    return wave.ms_adpcm(finish(samples, rate, 0.17), rate, 256)


def end_of_match():
    """Sound 211: a closing jingle that settles on a held chord."""
    rate, count = 8000, 28563
    track = Track(rate, count)
    beat = 0.2
    melody = [("C5", 1), ("E5", 1), ("G5", 1), ("C6", 2), ("G5", 1), ("A5", 1), ("B5", 1),
              ("C6", 4)]
    t = 0.0
    for name, beats in melody:
        track.add(t, tone(rate, beats * beat * 0.92, pitch(name), "square", attack=0.005,
                          decay=0.12, sustain=0.45, release=0.04), 0.22)
        t += beats * beat
    bass = [("C3", 0.0, 0.6), ("G3", 0.6, 0.6), ("F3", 1.2, 0.6), ("G3", 1.8, 0.4)]
    for name, start, length in bass:
        track.add(start, tone(rate, length, pitch(name), "triangle", attack=0.005, decay=0.2,
                              sustain=0.5, release=0.05), 0.6)
    held = t - 4 * beat
    for name in ("C4", "E4", "G4", "C3"):
        track.add(held, tone(rate, seconds(count, rate) - held, pitch(name), "triangle",
                             attack=0.01, decay=0.6, sustain=0.0, release=0.3), 0.35)
    track.add(held, bell(rate, 1.5, pitch("C6"), 0.3), 0.3)
    return wave.ms_adpcm(finish(track.samples, rate, 0.16, fade_out=0.1), rate, 256)


def waiting_music():
    """Sound 144: eight bars at 120 beats a minute that loop without a seam. Every note is
    mixed into a circular buffer, so tails that pass the end continue at the start."""
    rate, count = 22050, 352828
    track = Track(rate, count, loop=True)
    beat = seconds(count, rate) / 32
    chords = [("C3", "C4", "E4", "G4"), ("A2", "A3", "C4", "E4"), ("F2", "F3", "A3", "C4"),
              ("G2", "G3", "B3", "D4")] * 2
    for bar, (root, *upper) in enumerate(chords):
        start = bar * 4 * beat
        for k in range(4):
            # Walking bass: root on 1 and 3, fifth on 2 and 4.
            name = root if k % 2 == 0 else upper[2 if len(upper) > 2 else 0]
            f = pitch(name) / (2 if k % 2 else 1)
            track.add(start + k * beat, tone(rate, beat * 0.9, f, "triangle", attack=0.006,
                                             decay=0.25, sustain=0.4, release=0.05), 0.5)
        for name in upper:
            pad = tone(rate, 4 * beat, pitch(name), "triangle", attack=0.25, decay=1.0,
                       sustain=0.6, release=0.3)
            track.add(start, pad, 0.09)
    # A light beat: kick on 1 and 3, snare on 2 and 4, hats on the off-beats.
    for b in range(32):
        t = b * beat
        if b % 2 == 0:
            track.add(t, kick(rate), 0.5)
        else:
            track.add(t, snare(rate, 500 + b), 0.18)
        track.add(t + beat / 2, hat(rate, 900 + b), 0.12)
    # The tune: a pentatonic phrase, answered with a different ending the second time.
    phrase = [("E5", 1), ("G5", 1), ("A5", 1), ("G5", 1), ("E5", 2), ("D5", 2),
              ("C5", 1), ("D5", 1), ("E5", 1), ("G5", 1), ("D5", 4),
              ("E5", 1), ("G5", 1), ("A5", 1), ("C6", 1), ("A5", 2), ("G5", 2),
              ("E5", 1), ("D5", 1), ("C5", 1), ("D5", 1)]
    answer_end = [("C5", 4)]
    first_end = [("G4", 4)]
    t = 0.0
    for name, halves in phrase + first_end + phrase + answer_end:
        length = halves * beat / 2
        lead = tone(rate, length * 0.9, pitch(name), "square", vibrato=0.003, attack=0.008,
                    decay=0.15, sustain=0.55, release=0.04)
        track.add(t, low_pass(lead, rate, 2600), 0.2)
        t += length
    return wave.ms_adpcm(normalise(track.samples, 0.12), rate, 512, loop=True)


SOUNDS = {
    "133.wav": score_tick,
    "137.wav": clock_tick,
    "139.wav": time_out,
    "140.wav": cheer_rising,
    "141.wav": cheer_tada,
    "142.wav": cheer_run,
    "144.wav": waiting_music,
    "148.wav": get_ready,
    "151.wav": wrong_answer,
    "177.wav": click,
    "206.wav": refusal,
    "211.wav": end_of_match,
}


def build_all():
    return [(name, make()) for name, make in SOUNDS.items()]
