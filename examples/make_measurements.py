#!/usr/bin/env python3
"""Writes melt-measurements.csv: viscosities of the default viscosity law with
3 % log-normal noise, standing in for rheometer data. Not a measured material.

    ln eta = A0 + A1 L + A11 L^2 + A2 T + A22 T^2 + A12 L T,  L = ln(shear rate)

eta in gf.s/cm2, written in Pa.s (1 gf.s/cm2 = 98.0665 Pa.s), each value
multiplied by exp(0.03 z), z standard normal (seed 12), then rounded to four
significant digits as a rheometer shows them.
"""
import math
import random
from pathlib import Path

A0, A1, A11, A2, A22, A12 = 6.83729, -0.661828, -0.0158406, -0.0149381, -4.7079E-7, 1.1946E-3
SIGMA = 0.03
TEMPERATURES = [150, 170, 190, 210, 230]                 # degC
SHEAR_RATES = [float(f"{10 ** (k / 2):.4g}") for k in range(9)]  # 1 ... 10000 1/s

noise = random.Random(12)
lines = [
    "# Generated, not measured: the default viscosity law of Vortane with 3 % log-normal",
    "# noise (eta times exp(0.03 z), z standard normal, seed 12), rounded to four",
    "# significant digits. Written by make_measurements.py.",
    "Temperature (degC),Shear rate (1/s),Viscosity (Pa.s)",
]
for T in TEMPERATURES:
    for rate in SHEAR_RATES:
        L = math.log(rate)
        eta = math.exp(A0 + A1 * L + A11 * L * L + A2 * T + A22 * T * T + A12 * L * T) * 98.0665
        eta *= math.exp(SIGMA * noise.gauss(0, 1))
        lines.append(f"{T},{rate:g},{eta:.4g}")
Path(__file__).with_name("melt-measurements.csv").write_text("\n".join(lines) + "\n")
