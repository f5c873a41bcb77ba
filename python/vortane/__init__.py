"""The mixing section of a single-screw extruder with barrier flights.

From the screw geometry, speed, throughput, material data and a six-coefficient
viscosity law a run computes the channel characteristics, the pressures along
the inlet and outlet channels, the pressure drop, the power and the melt
temperature rise, exactly as the window and vortane-calc do: the same core
computes them.

    >>> import vortane
    >>> vortane.run(OutputRate=30).TemperatureRise
    157.45141341705565
    >>> table = vortane.sweep(("ScrewSpeed", 40, 120, 40))
    >>> table["TotalPressureDrop"]
    array([183.78668646,  21.6934104 , -47.47136795])
"""

from ._vortane import (
    Error,
    Profile,
    Result,
    ViscosityFit,
    __version__,
    _case_file_text,
    _write_file,
    fit_viscosity,
    materials,
    profile,
    read_case,
    run,
    sweep,
)

# Named where they are used from: vortane.Error, not vortane._vortane.Error.
for _public in (Error, Profile, Result, ViscosityFit):
    _public.__module__ = __name__

# Goal seek and optimisation, where the build has them.
try:
    from ._vortane import Front, Optimum, ScaleUp, Solution, front, optimise, scale_up, solve
except ImportError:
    _design = []
else:
    _design = ["Front", "Optimum", "ScaleUp", "Solution", "front", "optimise", "scale_up", "solve"]
    Front.__module__ = Optimum.__module__ = ScaleUp.__module__ = Solution.__module__ = __name__

__all__ = [
    "Error",
    "Profile",
    "Result",
    "ViscosityFit",
    "fit_viscosity",
    "materials",
    "profile",
    "read_case",
    "run",
    "sweep",
    "write_case",
] + _design


def write_case(path, texts, decimal_separator="."):
    """Writes a case file: the 28 box texts, `texts` by field name over the defaults.

    Numbers stand for their texts as in run(); the format is the window's and
    vortane-calc's. A text that cannot be kept in a file (a line break) or an
    unknown field raises vortane.Error, and so does a file that cannot be
    written, which is then left as it was: it is written whole or not at all.
    """
    _write_file(path, _case_file_text(dict(texts), decimal_separator))
