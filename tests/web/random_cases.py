#!/usr/bin/env python3
"""The random cases of scripts/compare_runs.py, drawn by its generator around
the defaults the native vortane-calc gives, as JSON for the page's tests: a
list with, for each case, its box texts that are not the default ({box: text}).
    random_cases.py VORTANE_CALC COUNT SEED
"""

import json
import os
import random
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "scripts"))
import compare_runs  # noqa: E402  (found through the path above)


def main():
    if len(sys.argv) != 4:
        raise SystemExit(__doc__.strip().splitlines()[-1].strip())
    calc, count, seed = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
    fields = compare_runs.default_fields([os.path.abspath(calc)], dict(os.environ, LC_ALL="C"))
    rng = random.Random(seed)
    cases = [compare_runs.random_case(rng, n, fields) for n in range(1, count + 1)]
    json.dump([{box: text.decode("ascii") for box, text in case.texts.items()} for case in cases], sys.stdout)


if __name__ == "__main__":
    main()
