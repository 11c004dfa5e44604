#!/usr/bin/env python3
"""Writes the sample genome demo.gen and its name file posegait.txt.

Run from anywhere: python3 samples/make_samples.py. The output is byte for byte
the same each time; both files are committed beside this script.
"""
import os

HERE = os.path.dirname(os.path.abspath(__file__))


def gene(type_, subtype, id_, data, switch_on=0, b3=0, b5=0, b6=0):
    return bytes([type_, subtype, id_, b3, switch_on, b5, b6]) + bytes(data)


# Pose strings: direction, head, body, left thigh, shin, foot, right thigh,
# shin, foot, left humerus, radius, right humerus, radius, tail root, tail tip.
POSES = [
    # (pose number, switch-on, pose string, name)
    (1, 0, "211111111111111", "Stand"),
    (1, 4, "211111111112211", None),            # adults stand with a raised right arm
    (2, 0, "211000222220111", "Walk step 1"),
    (2, 3, "211000222220112", None),            # from youth on the tail tip swings higher
    (3, 0, "211201111111111", "Walk step 2"),
    (4, 0, "211222000012211", "Walk step 3"),
    (5, 0, "211111201111111", "Walk step 4"),
    (6, 0, "141111111111111", "Face the viewer"),
    (7, 0, "051111111111111", "Turn away"),
    (8, 0, "X2XXXXXXXXXXXXX", "Nod"),
    (9, 0, "?01111111111111", "Think"),
]
GAITS = [
    # (gait number, steps, name)
    (1, [2, 3, 4, 5, 0, 0, 0, 0], "Walk"),
    (2, [2, 3, 8, 4, 5, 8, 0, 0], "Stroll and nod"),
]


def genome():
    genes = []
    # Genes of kinds the editor does not interpret, carried through unchanged.
    genes.append(gene(0, 0, 1, [0x10, 0x20, 0x30, 0x40, 0x00, 0xff]))
    genes.append(gene(1, 2, 7, [5, 4, 3, 2, 1], switch_on=2, b3=9, b5=1, b6=128))
    genes.append(gene(2, 1, 1, [1]))                     # genus gene: Brask
    # Appearance genes: region, variant, genus.
    genes.append(gene(2, 2, 1, [0, 1, 1]))               # head: Brask, variant 1
    genes.append(gene(2, 2, 2, [1, 0, 1]))               # body: Brask, variant 0
    genes.append(gene(2, 2, 3, [2, 0, 0]))               # legs: Tovel, variant 0
    genes.append(gene(2, 2, 4, [3, 1, 2]))               # arms: Umbrid, variant 1
    genes.append(gene(2, 2, 5, [4, 0, 1]))               # tail: Brask, variant 0
    for pose_id, (number, switch_on, pose, _) in enumerate(POSES, start=1):
        genes.append(gene(2, 3, pose_id, [number] + list(pose.encode("latin-1")), switch_on=switch_on))
    genes.append(gene(3, 1, 1, list(range(32))))
    for gait_id, (number, steps, _) in enumerate(GAITS, start=1):
        genes.append(gene(2, 4, gait_id, [number] + steps))
    genes.append(gene(4, 0, 2, [0xde, 0xad, 0xbe, 0xef]))
    out = b"dna2"
    for g in genes:
        out += b"gene" + g
    return out + b"gend"


def names():
    table = [str(i % 256) for i in range(512)]
    for number, _, _, name in POSES:
        if name:
            table[number] = name
    for number, _, name in GAITS:
        table[256 + number] = name
    return "".join(n + "\n" for n in table).encode("latin-1")


if __name__ == "__main__":
    with open(os.path.join(HERE, "demo.gen"), "wb") as f:
        f.write(genome())
    with open(os.path.join(HERE, "posegait.txt"), "wb") as f:
        f.write(names())
