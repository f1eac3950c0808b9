#!/usr/bin/python3
"""screenplayer.py SECONDS WINDOW: plays the real game by looking at its window, as a person would.

Reads the window with xwd a few times a second and answers with xdotool: follows the ball with the arrow keys
once it is below the lowest bricks, catches capsules with green caps while the ball is high, keeps launching,
pauses now and then (the music starts and the menu cursor clicks over it) and starts a new game after a game
over. Only the mixing check uses it; it needs no more than the window's pixels.
"""
import struct
import subprocess
import sys
import time

SECONDS, WINDOW = float(sys.argv[1]), sys.argv[2]
FIELD_X = 80  # window column of play-field x 0


def grab():
    raw = subprocess.run(['xwd', '-id', WINDOW, '-silent'], capture_output=True).stdout
    header, = struct.unpack('>I', raw[0:4])
    stride, = struct.unpack('>I', raw[48:52])
    colours, = struct.unpack('>I', raw[76:80])
    pixels = raw[header + colours * 12:]
    return lambda x, y: tuple(pixels[y * stride + x * 4 + 2 - k] for k in range(3))  # (r, g, b)


def xdo(*args):
    subprocess.run(['xdotool', *args[:1], '--window', WINDOW, *args[1:]], stderr=subprocess.DEVNULL)


def columns(pixel, rows, test):
    """Play-field x of every pixel in the given rows that passes the test."""
    return [x - FIELD_X for y in rows for x in range(FIELD_X + 16, FIELD_X + 464, 2) if test(*pixel(x, y))]


def ball_x(pixel):
    # Bright grey pixels below the bricks (and outside the message box): the ball, or its fiery core.
    rows = [y for y in range(296, 408, 2) if not 280 <= y < 340]
    xs = columns(pixel, rows, lambda r, g, b: r > 110 and g > 110 and b > 100)
    hits = [0] * 480
    for x in xs:
        hits[x] += 1
    best, at = max((sum(hits[x:x + 12]), x + 6) for x in range(468))
    return at if best >= 3 else None


def paddle_x(pixel):
    caps = columns(pixel, (418, 421, 424), lambda r, g, b: r > 200 and 60 < g < 190 and b < 60)
    return (min(caps) + max(caps)) / 2 if caps else 240


def in_game(pixel):
    return sum(pixel(x, 474)[1] for x in range(96, 544, 4)) / 112 > 50  # the HUD strip is showing


def capsule_x(pixel):
    xs = sorted(columns(pixel, range(200, 410, 3), lambda r, g, b: g > 150 and r < 120 and b < 120))
    return xs[len(xs) // 2] if len(xs) >= 4 else None


held = None
start = seen = last_fire = last_menu = last_pause = time.time()
while time.time() - start < SECONDS:
    pixel = grab()
    now = time.time()
    want = None
    if in_game(pixel):
        paddle = paddle_x(pixel)
        target = ball_x(pixel)
        if target is not None:
            seen = now
        elif capsule_x(pixel) is not None:
            target = capsule_x(pixel)
        else:
            target = 240
        want = 'Left' if target < paddle - 10 else 'Right' if target > paddle + 10 else None
    if want != held:
        if held:
            xdo('keyup', held)
        if want:
            xdo('keydown', want)
        held = want
    if now - last_fire > 1.5:
        xdo('key', 'space')
        last_fire = now
    if now - last_pause > 45 and now - seen < 2:
        xdo('keyup', 'Left', 'Right')
        held = None
        xdo('key', 'Escape')
        time.sleep(0.4)
        for k in ('Down', 'Down', 'Down', 'Up', 'Up', 'Up', 'Down', 'Up') * 2:
            xdo('key', k)
            time.sleep(0.12)
        xdo('key', 'Escape')
        last_pause = time.time()
    if now - seen > 12 and now - last_menu > 12:
        # After a game over: a name, the table, the main menu, new game, the first difficulty.
        xdo('keyup', 'Left', 'Right')
        held = None
        for k in ('a', 'Return', 'Escape', 'Up', 'Up', 'Return', 'Return'):
            xdo('key', k)
            time.sleep(0.15)
        last_menu = now
xdo('keyup', 'Left', 'Right')
