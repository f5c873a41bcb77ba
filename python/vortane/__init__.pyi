"""Type stubs of the package vortane."""

import os
from typing import Any, Mapping, Optional, Sequence, Tuple, Union

import numpy as np
import numpy.typing as npt

__version__: str

Text = Union[str, int, float]
"""A box text, or a number standing for its text."""

Path = Union[str, os.PathLike[str]]

Axis = Tuple[str, Text, Text, Text]
"""(field, from, to, step) of a swept input."""

class Error(ValueError):
    """Bad input to the module; the text names the field or the argument."""

class Result:
    """One run: how it ended, what it showed, and every field of its case record."""

    @property
    def outcome(self) -> str: ...
    @property
    def messages(self) -> list[str]: ...
    @property
    def fault(self) -> str: ...
    @property
    def detail(self) -> str: ...
    @property
    def passes(self) -> int: ...
    @property
    def blocks_written(self) -> int: ...
    @property
    def rejected_field(self) -> Optional[str]: ...
    @property
    def warnings(self) -> list[str]: ...
    def warnings_in(self, units: str) -> list[str]: ...
    @property
    def indicators(self) -> dict[str, float]: ...
    @property
    def least_inlet_pressure(self) -> Optional[float]: ...
    @property
    def limits(self) -> list[str]: ...
    @property
    def feasible(self) -> bool: ...
    @property
    def accepted_warnings(self) -> list[str]: ...
    @property
    def warning_kinds(self) -> list[str]: ...
    @property
    def margins(self) -> dict[str, float]: ...
    @property
    def margin_fractions(self) -> dict[str, float]: ...
    @property
    def failed_limits(self) -> list[str]: ...
    @property
    def fields(self) -> dict[str, Union[float, int, bool]]: ...
    @property
    def texts(self) -> dict[str, str]: ...
    def to_html(self, units: str = "metric") -> str: ...

    # Inputs, in box order.
    BarrelDiameter: float  # cm
    ScrewSpeed: float  # rpm
    OutputRate: float  # kg/hr
    ChannelLength: float  # cm
    BarrierWidth1: float  # cm
    BarrierWidth2: float  # cm
    BarrierClearance1: float  # cm
    BarrierClearance2: float  # cm
    ChannelDepth: float  # cm
    CornerRadius: float  # cm
    ChannelAngle: float  # deg
    InletChannelCount: Union[int, float]  # NaN when the run did not read it
    EffectiveChannelCount: Union[int, float]
    InletMeltTemp: float  # degC
    InletSolidTemp: float  # degC
    SolidRatio: float  # mass fraction of unmelted solid
    InletPressure: float  # kgf/cm2
    MeltingPoint: float  # degC
    MeltDensity: float  # g/cm3
    SolidSpecificHeat: float  # cal/g.degC
    HeatOfFusion: float  # cal/g
    MeltSpecificHeat: float  # cal/g.degC
    A0: float
    A1: float
    A11: float
    A2: float
    A22: float
    A12: float
    # Stage flags.
    InputOk: bool
    FileOk: bool
    WidthOk: bool
    SectionOk: bool
    PressureOk: bool
    Converged: bool
    # Channel geometry and shape factors.
    ChannelAngleRad: float  # rad
    ChannelWidth: float  # cm
    SectionArea: float  # cm2
    EquivalentWidth: float  # cm
    DragShapeFactor: float
    PressureShapeFactor: float
    # Inlet energy balance and flow rates.
    InletAverageMeltTemp: float  # degC
    WorkingTemp: float  # degC
    MassFlowRate: float  # g/s
    ChannelVolumeFlow: float  # cm3/s per effective channel
    ChannelShearRate: float  # 1/s
    ChannelViscosity: float  # gf.s/cm2
    Barrier1ShearRate: float  # 1/s
    Barrier1Viscosity: float  # gf.s/cm2
    Barrier2ShearRate: float  # 1/s
    Barrier2Viscosity: float  # gf.s/cm2
    # Pressure profile (dimensionless ratios and relative pressures).
    BarrierDragRatio: float
    InletPressureFlowRatio: float
    OutletPressureFlowRatio: float
    BarrierPressureFlowRatio: float
    InletDragFlowRatio: float
    OutletDragFlowRatio: float
    ProfileK: float
    ProfileForcing: float
    ProfileCoefA: float
    ProfileCoefB: float
    ProfileOffset: float
    RelPressureInletEnd: float
    RelPressureOutletStart: float
    RelPressureOutletEnd: float
    TotalPressureDrop: float  # kgf/cm2
    # Power consumption.
    ChannelShearRate_P: float  # 1/s
    ChannelViscosity_P: float  # gf.s/cm2
    # Temperature rise and iteration.
    PowerCalPerSec: float  # cal/s
    PowerKW: float  # kW
    TemperatureRise: float  # degC
    OutletAverageMeltTemp: float  # degC
    MeanMeltTemp: float  # degC

class Profile:
    """The flow and pressures along the channels of a complete run."""

    @property
    def result(self) -> Result: ...
    @property
    def fault(self) -> str: ...
    @property
    def z(self) -> npt.NDArray[np.float64]: ...
    @property
    def y(self) -> npt.NDArray[np.float64]: ...
    @property
    def p1(self) -> npt.NDArray[np.float64]: ...
    @property
    def p2(self) -> npt.NDArray[np.float64]: ...
    @property
    def pressure_inlet(self) -> npt.NDArray[np.float64]: ...
    @property
    def pressure_outlet(self) -> npt.NDArray[np.float64]: ...

class ViscosityFit:
    """The viscosity law fitted to measured points, and the fit's quality."""

    @property
    def coefficients(self) -> dict[str, float]: ...
    @property
    def texts(self) -> dict[str, str]: ...
    @property
    def r_squared(self) -> float: ...
    @property
    def rms_relative_error(self) -> float: ...
    @property
    def max_relative_error(self) -> float: ...
    @property
    def point_count(self) -> int: ...
    @property
    def temperature_range(self) -> Tuple[float, float]: ...
    @property
    def shear_rate_range(self) -> Tuple[float, float]: ...

def run(
    case: Optional[Path] = None,
    report: Optional[Path] = None,
    decimal_separator: str = ".",
    limits: Optional[Sequence[str]] = None,
    accept_warnings: Optional[Sequence[str]] = None,
    material: Optional[str] = None,
    **texts: Text,
) -> Result:
    """Runs one case, as one press of OK in the window, and returns its Result."""

def materials(strict: bool = True) -> list[dict[str, Any]]:
    """The grades of the material library, a dict per grade."""

def sweep(
    first: Axis,
    second: Optional[Axis] = None,
    threads: Optional[int] = None,
    case: Optional[Path] = None,
    decimal_separator: str = ".",
    units: str = "metric",
    limits: Optional[Sequence[str]] = None,
    accept_warnings: Optional[Sequence[str]] = None,
    **texts: Text,
) -> dict[str, npt.NDArray[np.generic]]:
    """The table of a sweep as its CSV has it: one array per column, a point a row."""

def profile(
    case: Optional[Path] = None,
    steps: int = 100,
    decimal_separator: str = ".",
    units: str = "metric",
    **texts: Text,
) -> Profile:
    """Runs one case without a report and returns the Profile along its channels."""

def fit_viscosity(
    temperature: npt.ArrayLike,
    shear_rate: npt.ArrayLike,
    viscosity: npt.ArrayLike,
    unit: str = "Pa.s",
    decimal_separator: str = ".",
) -> ViscosityFit:
    """Fits the six coefficients of the viscosity law to measured points."""

class Solution:
    @property
    def found(self) -> bool: ...
    @property
    def end(self) -> str: ...
    @property
    def reason(self) -> str: ...
    @property
    def summary(self) -> str: ...
    @property
    def text(self) -> str: ...
    @property
    def residual(self) -> Optional[float]: ...
    @property
    def result(self) -> Result: ...
    @property
    def runs(self) -> int: ...
    @property
    def history(self) -> dict[str, Any]: ...

class Optimum:
    @property
    def found(self) -> bool: ...
    @property
    def end(self) -> str: ...
    @property
    def reason(self) -> str: ...
    @property
    def summary(self) -> str: ...
    @property
    def texts(self) -> dict[str, str]: ...
    @property
    def objective(self) -> Optional[float]: ...
    @property
    def margins(self) -> dict[str, Optional[float]]: ...
    @property
    def result(self) -> Result: ...
    @property
    def runs(self) -> int: ...
    @property
    def history(self) -> dict[str, Any]: ...

class Front:
    @property
    def end(self) -> str: ...
    @property
    def reason(self) -> str: ...
    @property
    def designs(self) -> dict[str, Any]: ...
    @property
    def knee(self) -> Optional[int]: ...
    @property
    def texts(self) -> list[dict[str, str]]: ...
    @property
    def objectives(self) -> Any: ...
    @property
    def runs(self) -> int: ...
    def to_html(self, design: Optional[int] = None, units: str = "metric") -> str: ...
    def __len__(self) -> int: ...

class ScaleUp:
    @property
    def designs(self) -> list[str]: ...
    @property
    def columns(self) -> list[str]: ...
    @property
    def texts(self) -> dict[str, dict[str, str]]: ...
    @property
    def values(self) -> dict[str, dict[str, Optional[float]]]: ...
    @property
    def deviations(self) -> dict[str, dict[str, Optional[float]]]: ...
    @property
    def feasible(self) -> dict[str, bool]: ...
    @property
    def results(self) -> dict[str, Result]: ...
    @property
    def kept(self) -> bool: ...
    @property
    def verdict(self) -> str: ...
    @property
    def end(self) -> str: ...
    @property
    def table(self) -> str: ...
    @property
    def runs(self) -> int: ...
    def __len__(self) -> int: ...

def scale_up(
    barrel_diameter: float,
    output: float,
    keep: Sequence[str] = (),
    watch: Sequence[str] = (),
    vary: Optional[Mapping[str, Tuple[float, float]]] = None,
    limits: Sequence[str] = (),
    tolerance: float = 1.0,
    max_runs: int = 600,
    threads: Optional[int] = None,
    case: Optional[Path] = None,
    decimal_separator: str = ".",
    accept_warnings: Optional[Sequence[str]] = None,
    **texts: Text,
) -> ScaleUp:
    """The case carried to another barrel diameter by each classic rule, and a Kept design holding `keep`."""

def solve(
    field: str,
    low: float,
    high: float,
    quantity: str,
    target: float,
    tolerance: float = 0.001,
    max_runs: int = 100,
    case: Optional[Path] = None,
    decimal_separator: str = ".",
    accept_warnings: Optional[Sequence[str]] = None,
    **texts: Text,
) -> Solution:
    """Goal seek: the text of `field` within [low, high] at which `quantity` reaches `target`."""

def optimise(
    objective: str,
    vary: Mapping[str, Tuple[float, float]],
    limits: Sequence[str] = (),
    maximise: bool = False,
    tolerance: float = 1e-4,
    max_runs: int = 400,
    threads: Optional[int] = None,
    case: Optional[Path] = None,
    decimal_separator: str = ".",
    accept_warnings: Optional[Sequence[str]] = None,
    **texts: Text,
) -> Optimum:
    """The design with the least (or greatest) `objective` meeting every limit."""

def front(
    objectives: Sequence[str],
    vary: Mapping[str, Tuple[float, float]],
    limits: Sequence[str] = (),
    divisions: int = 0,
    tolerance: float = 1e-4,
    max_runs: int = 400,
    threads: Optional[int] = None,
    case: Optional[Path] = None,
    decimal_separator: str = ".",
    accept_warnings: Optional[Sequence[str]] = None,
    **texts: Text,
) -> Front:
    """The Pareto front of two or three objectives, its designs as NumPy arrays, and its knee."""

def read_case(path: Path, decimal_separator: str = ".") -> dict[str, str]:
    """The 28 box texts of a case file by field name, in box order."""

def write_case(path: Path, texts: Mapping[str, Text], decimal_separator: str = ".") -> None:
    """Writes a case file: the 28 box texts, `texts` by field name over the defaults."""

__all__: Sequence[str]
