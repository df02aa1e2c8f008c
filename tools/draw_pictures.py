#!/usr/bin/python3
"""Draws the program's own pictures into resources/ (model pictures, logos, frame, icon)."""
import os
from PIL import Image, ImageDraw, ImageFont

OUT = os.path.join(os.path.dirname(__file__), "..", "resources")
FONT = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"


def font(size):
    return ImageFont.truetype(FONT, size)


def instrument(name, body, accent, label, probe_round=True, wide=False):
    w, h = 240, 240
    img = Image.new("RGB", (w, h), (245, 247, 250))
    d = ImageDraw.Draw(img)
    bx0, bx1 = (50, 190) if wide else (62, 178)
    d.rounded_rectangle((bx0 + 4, 24, bx1 + 4, 214), 22, fill=(200, 205, 212))
    d.rounded_rectangle((bx0, 20, bx1, 210), 22, fill=body, outline=(40, 45, 55), width=3)
    d.rounded_rectangle((bx0 + 14, 36, bx1 - 14, 100), 8, fill=(214, 236, 214),
                        outline=(30, 30, 30), width=2)
    d.text(((bx0 + bx1) / 2, 62), "125.4", fill=(20, 40, 20), font=font(24), anchor="mm")
    d.text((bx1 - 34, 88), "µm", fill=(20, 40, 20), font=font(11), anchor="mm")
    for i, x in enumerate((bx0 + 30, (bx0 + bx1) / 2, bx1 - 30)):
        d.ellipse((x - 12, 120, x + 12, 144), fill=accent if i == 1 else (235, 235, 235),
                  outline=(40, 45, 55), width=2)
    d.rounded_rectangle((bx0 + 24, 156, bx1 - 24, 174), 6, fill=(235, 235, 235),
                        outline=(40, 45, 55), width=2)
    d.text(((bx0 + bx1) / 2, 192), label, fill=(255, 255, 255), font=font(15), anchor="mm")
    # probe on its cable
    d.line((bx1, 160, 214, 170, 222, 200), fill=(40, 40, 40), width=4)
    if probe_round:
        d.ellipse((208, 196, 236, 224), fill=(120, 120, 130), outline=(30, 30, 30), width=2)
    else:
        d.rectangle((212, 196, 232, 230), fill=(120, 120, 130), outline=(30, 30, 30), width=2)
    img.save(os.path.join(OUT, name))


def logo(name, word, colour, sub):
    img = Image.new("RGB", (440, 220), (255, 255, 255))
    d = ImageDraw.Draw(img)
    d.ellipse((20, 40, 160, 180), fill=colour)
    d.ellipse((52, 72, 128, 148), fill=(255, 255, 255))
    d.rectangle((86, 30, 94, 190), fill=colour)
    d.text((180, 100), word, fill=colour, font=font(54), anchor="lm")
    d.text((184, 150), sub, fill=(90, 90, 90), font=font(18), anchor="lm")
    img.save(os.path.join(OUT, name), quality=92)


def frame(name):
    w, h = 1200, 96
    img = Image.new("RGB", (w, h))
    d = ImageDraw.Draw(img)
    for y in range(h):
        t = y / (h - 1)
        c = tuple(int(a + (b - a) * t) for a, b in zip((232, 240, 250), (196, 214, 236)))
        d.line((0, y, w, y), fill=c)
    d.rectangle((0, 0, w - 1, h - 1), outline=(120, 140, 170), width=3)
    d.line((0, h - 8, w, h - 8), fill=(29, 53, 87), width=2)
    img.save(os.path.join(OUT, name), quality=92)


if __name__ == "__main__":
    instrument("DP.gif", (29, 53, 87), (230, 57, 70), "DELTA")
    instrument("CP.gif", (38, 70, 83), (42, 157, 143), "CIRRUS", probe_round=False, wide=True)
    instrument("AS9.gif", (60, 60, 70), (244, 162, 97), "ASTER", wide=True)
    instrument("EL.gif", (90, 24, 70), (255, 195, 0), "ELAN", probe_round=False)
    logo("Zorvlogo.jpg", "Tavelin", (29, 53, 87), "measuring instruments")
    logo("Morastelogo.jpg", "MR", (120, 40, 40), "partner brand")
    frame("Rahmen.jpg")
    Image.open(os.path.join(OUT, "DP.gif")).convert("RGBA").resize((128, 128)).save(
        os.path.join(OUT, "tavelin-transfer.png"))
