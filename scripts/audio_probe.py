#!/usr/bin/env python3
"""Plays the game in its window with SDL's disk audio driver writing into a FIFO that
this probe reads, stamping every write as it arrives. It presses keys through the X
server's XTest extension and reports:
  - key to sound: from the key sent to the first write that is not silent, for a menu
    key (its sound starts at once) and for a jump in a run (at the next 10 ms tick);
  - gaps: writes so late that a sound card holding two buffers, as SDL double-buffers,
    would have run dry before them.
Run by scripts/measure-latency.sh, which starts Xvfb and prepares the game's folder."""
import argparse
import ctypes
import os
import signal
import statistics
import subprocess
import sys
import threading
import time

RATE = 44100
FRAME_BYTES = 4  # 16-bit stereo


class AudioReader(threading.Thread):
    """The disk driver's output as it is written: (arrival ns, bytes, heard) per read."""

    def __init__(self, fifo):
        super().__init__(daemon=True)
        self.fifo = fifo
        self.reads = []
        self.last_heard = 0
        self.lock = threading.Lock()

    def run(self):
        try:  # a reader that wakes late would blame the game for its own delay
            os.sched_setscheduler(0, os.SCHED_FIFO, os.sched_param(10))
        except OSError:
            pass
        fd = os.open(self.fifo, os.O_RDONLY)
        while True:
            data = os.read(fd, 1 << 16)
            now = time.monotonic_ns()
            if not data:
                break
            heard = len(data.lstrip(b"\0")) > 0
            with self.lock:
                self.reads.append((now, len(data), heard))
                if heard:
                    self.last_heard = now
        os.close(fd)

    def first_heard_after(self, start):
        with self.lock:
            if self.last_heard <= start:
                return None
            return next(t for t, _, heard in self.reads if heard and t > start)

    def quiet_for(self, seconds):
        with self.lock:
            return self.reads and time.monotonic_ns() - self.last_heard > seconds * 1e9


class Keyboard:
    """Keys through XTest, as the X server would get them from a keyboard."""

    def __init__(self):
        self.x11 = ctypes.CDLL("libX11.so.6")
        self.xtst = ctypes.CDLL("libXtst.so.6")
        self.x11.XOpenDisplay.restype = ctypes.c_void_p
        self.x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
        self.x11.XStringToKeysym.restype = ctypes.c_ulong
        self.x11.XStringToKeysym.argtypes = [ctypes.c_char_p]
        self.x11.XKeysymToKeycode.restype = ctypes.c_ubyte
        self.x11.XKeysymToKeycode.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
        self.x11.XFlush.argtypes = [ctypes.c_void_p]
        self.xtst.XTestFakeKeyEvent.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int, ctypes.c_ulong]
        self.display = self.x11.XOpenDisplay(None)
        if not self.display:
            sys.exit("audio_probe: cannot open the X display")

    def press(self, name):
        """Presses and releases a key; the time the press left for the server."""
        code = self.x11.XKeysymToKeycode(self.display, self.x11.XStringToKeysym(name.encode()))
        self.xtst.XTestFakeKeyEvent(self.display, code, 1, 0)
        self.x11.XFlush(self.display)
        sent = time.monotonic_ns()
        time.sleep(0.1)  # held over several ticks: a loaded machine may run them late
        self.xtst.XTestFakeKeyEvent(self.display, code, 0, 0)
        self.x11.XFlush(self.display)
        return sent

    def type(self, names, pause=0.15):
        for name in names:
            self.press(name)
            time.sleep(pause)


def measure_presses(reader, keyboard, keys, count, pause):
    """Key-to-sound in ms for `count` presses cycling through `keys`; None when unheard."""
    found = []
    for i in range(count):
        deadline = time.monotonic() + 3
        while not reader.quiet_for(0.3) and time.monotonic() < deadline:
            time.sleep(0.01)
        sent = keyboard.press(keys[i % len(keys)])
        time.sleep(0.3)
        heard = reader.first_heard_after(sent)
        found.append(None if heard is None else (heard - sent) / 1e6)
        time.sleep(pause)
    return found


def gaps(reads, frames):
    """Gaps a sound card would have played: the disk driver sleeps its buffer's whole
    milliseconds after each write, so the time past that sleep is how late the audio thread
    woke, mixed and wrote. A card holding two buffers wakes the thread when one is free and
    plays the other meanwhile: later than one buffer, and the card ran dry.
    Returns the gaps, the lateness at the 99th percentile and the worst."""
    period = frames / RATE * 1e3
    sleep = frames * 1000 // RATE
    late = sorted((b - a) / 1e6 - sleep for (a, _, _), (b, _, _) in zip(reads, reads[1:]))
    return sum(x > period for x in late), late[len(late) * 99 // 100], late[-1]


def summary(name, values):
    heard = sorted(v for v in values if v is not None)
    missed = len(values) - len(heard)
    if not heard:
        return f"{name}: no sound heard in {len(values)} presses"
    return (f"{name}: n = {len(heard)}, min {heard[0]:.1f}, median {statistics.median(heard):.1f}, "
            f"max {heard[-1]:.1f} ms" + (f" ({missed} presses unheard)" if missed else ""))


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("game")
    parser.add_argument("folder", help="the game's folder, with Levels/ and tobu.ini")
    parser.add_argument("--presses", type=int, default=30)
    parser.add_argument("--soak", type=float, default=0, help="seconds in a run after the presses")
    parser.add_argument("--frames", type=int, default=0, help="SDL_AUDIO_SAMPLES for the game")
    parser.add_argument("--preload", help="a library to preload into the game")
    parser.add_argument("--each", action="store_true", help="print every press's figure")
    parser.add_argument("--dump", help="a file for every read: arrival ns, bytes, heard")
    args = parser.parse_args()

    fifo = os.path.join(args.folder, "audio.fifo")
    os.mkfifo(fifo)
    reader = AudioReader(fifo)
    reader.start()
    env = dict(os.environ, SDL_AUDIODRIVER="disk", SDL_DISKAUDIOFILE=fifo)
    if args.frames:
        env["SDL_AUDIO_SAMPLES"] = str(args.frames)
    if args.preload:
        env["LD_PRELOAD"] = os.path.abspath(args.preload)
    log = open(os.path.join(args.folder, "game.log"), "w")
    game = subprocess.Popen([os.path.abspath(args.game)], cwd=args.folder, env=env, stdout=log, stderr=log)
    try:
        subprocess.run("timeout 20 xdotool search --sync --name '^tobu$' windowfocus --sync",
                       shell=True, check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        time.sleep(1)
        keyboard = Keyboard()
        keyboard.type(["Return", "a", "Return"])  # a new player: the main menu
        menu = measure_presses(reader, keyboard, ["Down", "Up"], args.presses, 0.3)
        keyboard.type(["Return", "Return"])  # the first level
        jump = measure_presses(reader, keyboard, ["space"], args.presses, 1.2)  # landed again
        soak_start = time.monotonic_ns()
        time.sleep(args.soak)
    finally:
        game.send_signal(signal.SIGTERM)
        game.wait(10)
        reader.join(5)
    if args.dump:
        with open(args.dump, "w") as out:
            out.writelines(f"{t} {size} {int(heard)}\n" for t, size, heard in reader.reads)
    # What SDL really wrote a buffer at a time, whatever was asked.
    frames = statistics.median_low(size for _, size, _ in reader.reads) // FRAME_BYTES
    print(f"buffers written: {frames} frames ({frames / RATE * 1000:.1f} ms)")
    if args.presses:
        print(summary("menu key to sound", menu))
        print(summary("jump key to sound", jump))
    if args.each:
        print("menu:", " ".join("-" if v is None else f"{v:.1f}" for v in menu))
        print("jump:", " ".join("-" if v is None else f"{v:.1f}" for v in jump))
    if args.soak:
        soak = [r for r in reader.reads if r[0] >= soak_start]
        count, p99, worst = gaps(soak, frames)
        merged = sum(size > frames * FRAME_BYTES for _, size, _ in soak)
        print(f"gaps: {count} in {(soak[-1][0] - soak_start) / 1e9:.0f} s of a run; the audio thread late by "
              f"{p99:.2f} ms at the 99th percentile, {worst:.2f} ms at worst ({merged} reads held two buffers)")


if __name__ == "__main__":
    main()
