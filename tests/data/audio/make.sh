#!/usr/bin/env bash
# Regenerates the small test sounds of this folder: sine tones of known length.
set -euo pipefail
cd "$(dirname "$0")"
python3 - <<'PY'
import math, struct, wave
def tone(path, seconds, rate, freq=440):
    w = wave.open(path, 'wb')
    w.setnchannels(1); w.setsampwidth(2); w.setframerate(rate)
    n = int(seconds * rate)
    w.writeframes(b''.join(struct.pack('<h', int(8000 * math.sin(2 * math.pi * freq * i / rate)))
                           for i in range(n)))
    w.close()
tone('tone300ms.wav', 0.3, 8000)
tone('tone1s.wav', 1.0, 16000)
PY
lame --quiet -b 32 -m m tone1s.wav tone1s.mp3
rm tone1s.wav
