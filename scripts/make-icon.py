#!/usr/bin/env python3
"""Draws the module's window icon (a green disc with a white Z) as a Windows .ico with
32x32 and 16x16 images, 32-bit with alpha. Usage: make-icon.py OUT.ico"""
import struct
import sys


def render(size):
    ss = 4  # supersampling per axis
    n = size * ss
    px = []
    c = n / 2.0
    r_out = n / 2.0 - 0.5
    r_in = r_out - n * 0.07
    stroke = n * 0.12
    top, bottom = n * 0.26, n * 0.74
    left, right = n * 0.27, n * 0.73

    def inside_z(x, y):
        if top <= y <= top + stroke and left <= x <= right:
            return True
        if bottom - stroke <= y <= bottom and left <= x <= right:
            return True
        if top <= y <= bottom:
            # the diagonal from the top right to the bottom left corner
            ax, ay, bx, by = right - stroke * 0.3, top + stroke, left + stroke * 0.3, bottom - stroke
            dx, dy = bx - ax, by - ay
            t = max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy)))
            return ((x - ax - t * dx) ** 2 + (y - ay - t * dy) ** 2) ** 0.5 <= stroke * 0.62
        return False

    out = []
    for py in range(size):
        row = []
        for pxl in range(size):
            acc = [0.0, 0.0, 0.0, 0.0]
            for sy in range(ss):
                for sx in range(ss):
                    x = pxl * ss + sx + 0.5
                    y = py * ss + sy + 0.5
                    d = ((x - c) ** 2 + (y - c) ** 2) ** 0.5
                    if d > r_out:
                        continue
                    if d > r_in:
                        col = (20, 90, 20)
                    elif inside_z(x, y):
                        col = (255, 255, 255)
                    else:
                        col = (40, 190, 40)
                    acc[0] += col[0]
                    acc[1] += col[1]
                    acc[2] += col[2]
                    acc[3] += 1
            k = ss * ss
            a = acc[3] / k
            if acc[3]:
                rgb = [v / acc[3] for v in acc[:3]]
            else:
                rgb = [0, 0, 0]
            row.append((int(rgb[0]), int(rgb[1]), int(rgb[2]), int(round(a * 255))))
        out.append(row)
    return out


def dib(size):
    img = render(size)
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = b''.join(struct.pack('<BBBB', b, g, r, a)
                      for row in reversed(img) for (r, g, b, a) in row)
    mask_row = ((size + 31) // 32) * 4
    mask = b'\0' * (mask_row * size)
    return header + pixels + mask


def main(path):
    images = [dib(32), dib(16)]
    sizes = [32, 16]
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for s, data in zip(sizes, images):
        out += struct.pack('<BBBBHHII', s, s, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    out += b''.join(images)
    with open(path, 'wb') as f:
        f.write(out)


if __name__ == '__main__':
    main(sys.argv[1])
