"""The sounds: a brass-like synthesizer and the two tunes."""
import math


def _note_hz(n):
    """MIDI note number to frequency."""
    return 440.0 * 2.0 ** ((n - 69) / 12.0)


def synth(rate, nsamples, notes, gain):
    """notes: (start s, length s, midi note, bend in semitones towards the end,
    vibrato depth in semitones, loudness, fade over the note 0..1).
    A brass-like tone: a few harmonics that brighten with the attack.
    Returns unsigned 8-bit samples."""
    out = [0.0] * nsamples
    nyq = rate / 2.0
    for start, length, note, bend, vib, loud, fade in notes:
        i0 = int(start * rate)
        n = int(length * rate)
        phase = 0.0
        for i in range(n):
            if i0 + i >= nsamples:
                break
            t = i / rate
            u = i / n
            semis = note + bend * max(0.0, (u - 0.55) / 0.45) ** 2 + vib * math.sin(2 * math.pi * 5.2 * t) * min(1.0, t / 0.25)
            f = _note_hz(semis)
            phase += 2 * math.pi * f / rate
            att = min(1.0, t / 0.02)
            rel = min(1.0, (n - i) / (min(0.08, length * 0.2) * rate))
            env = att * rel * (0.75 + 0.25 * math.exp(-t * 6.0)) * (1.0 - fade * u)
            bright = 0.35 + 0.65 * att * (1.0 - 0.5 * u)
            s = 0.0
            for k, a in ((1, 1.0), (2, 0.55), (3, 0.42), (4, 0.28), (5, 0.18), (6, 0.11), (7, 0.07)):
                if k * f < nyq * 0.9:
                    s += a * (bright ** ((k - 1) * 0.5)) * math.sin(k * phase)
            out[i0 + i] += loud * env * s
    peak = max(abs(v) for v in out) or 1.0
    res = []
    for v in out:
        x = int(round(128 + 127 * gain * v / peak))
        res.append(max(0, min(255, x)))
    return res


def sound_lost():
    # "wah, wah, wah, waaah": four falling notes, the last one long, wavering and sagging.
    rate = 11025
    n = 33074                                      # 3.0 s
    notes = [(0.05, 0.50, 62, -0.4, 0.0, 1.0, 0.2), (0.62, 0.50, 61, -0.4, 0.0, 1.0, 0.2),
             (1.19, 0.50, 60, -0.4, 0.0, 1.0, 0.2), (1.76, 1.20, 59, -1.2, 0.35, 1.1, 0.85)]
    return rate, synth(rate, n, notes, 0.85)


def sound_won():
    # A short fanfare: three quick rising notes and a held chord.
    rate = 11000
    n = 11550                                      # 1.05 s
    notes = [(0.00, 0.13, 67, 0, 0, 1.5, 0.3), (0.14, 0.13, 72, 0, 0, 1.5, 0.3), (0.28, 0.13, 76, 0, 0, 1.5, 0.3),
             (0.42, 0.62, 79, 0, 0.12, 1.0, 0.7), (0.42, 0.62, 76, 0, 0.0, 0.55, 0.7), (0.42, 0.62, 72, 0, 0.0, 0.5, 0.7)]
    return rate, synth(rate, n, notes, 0.85)


SOUNDS = {"lost.wav": sound_lost, "won.wav": sound_won}
