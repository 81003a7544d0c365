"""Type hints for the mnemex module (a distributed associative memory)."""

import os
from typing import Iterable, List, Literal, Optional, TypedDict, Union

import numpy as np
import numpy.typing as npt

__version__: str

_Path = Union[str, bytes, os.PathLike]
_Array = npt.ArrayLike

class _PatternMeasures(TypedDict):
    """The recall measures of one pattern (test_all())."""
    pattern: int
    sse: float
    ndp: float
    nvl: float
    vcor: float

class _LeastSquaresWeights(TypedDict, total=False):
    """least_squares(): total_sse, weights and rank, or skipped alone."""
    total_sse: float
    weights: npt.NDArray[np.float64]
    rank: int
    skipped: str

class _DistortedProbe(TypedDict):
    """probe_distorted(): the damaged inputs, the responses and their measures."""
    pattern: int
    inputs: npt.NDArray[np.float64]
    zeroed: List[int]
    outputs: npt.NDArray[np.float64]
    sse: float
    ndp: float
    nvl: float
    vcor: float

class TrainingFileError(ValueError):
    """A training file or pattern arrays that cannot be loaded."""

class TrainingError(Exception):
    """A training run ended by a run-time error (an overflow, out of memory)."""

class WorkbookError(OSError):
    """The spreadsheet summary could not be written."""

class SavedNetworkError(ValueError):
    """A saved network that cannot be opened."""

class TrainingRun:
    """What a training run left: returned by train() and continue_training()."""
    @property
    def epochs(self) -> int: ...
    @property
    def total_sse(self) -> float: ...
    @property
    def change(self) -> Optional[float]: ...
    @property
    def history(self) -> npt.NDArray[np.float64]: ...

class Network:
    """A pattern store and the memory trained on it."""
    def __init__(self, inputs: _Array, targets: _Array, name: str = "arrays") -> None: ...
    @property
    def num_inputs(self) -> int: ...
    @property
    def num_outputs(self) -> int: ...
    @property
    def num_patterns(self) -> int: ...
    @property
    def name(self) -> str: ...
    @property
    def inputs(self) -> npt.NDArray[np.float64]: ...
    @property
    def targets(self) -> npt.NDArray[np.float64]: ...
    @property
    def weights(self) -> npt.NDArray[np.float64]: ...
    @property
    def epochs(self) -> int: ...
    @property
    def total_sse(self) -> float: ...
    @property
    def history(self) -> npt.NDArray[np.float64]: ...
    @property
    def training(self) -> bool: ...
    def train(
        self,
        *,
        rule: Optional[str] = "hebb",
        rate: Optional[float] = 0.1,
        epochs: Optional[int] = 100,
        min_error: Optional[float] = 0.05,
        stop: Optional[str] = "epochs",
        print_interval: Optional[int] = 10,
        order: Optional[Literal["file", "permuted"]] = "file",
        seed: Optional[int] = 1,
    ) -> TrainingRun: ...
    def continue_training(
        self,
        *,
        rule: Optional[str] = None,
        rate: Optional[float] = None,
        epochs: Optional[int] = None,
        min_error: Optional[float] = None,
        stop: Optional[str] = None,
        print_interval: Optional[int] = None,
        order: Optional[Literal["file", "permuted"]] = None,
        seed: Optional[int] = None,
    ) -> TrainingRun: ...
    def reset(self) -> None: ...
    def recall(self, pattern: int) -> npt.NDArray[np.float64]: ...
    def recall_vector(self, x: _Array) -> npt.NDArray[np.float64]: ...
    def test_all(self) -> List[_PatternMeasures]: ...
    def least_squares(self) -> _LeastSquaresWeights: ...
    def fixed_weight_sse(self) -> float: ...
    def probe_distorted(
        self, pattern: int, noise_sd: float = 0.0, zero_fraction: float = 0.0, seed: int = 1
    ) -> _DistortedProbe: ...
    def write_weights_csv(self, path: _Path) -> None: ...
    def write_weights_npy(self, path: _Path) -> None: ...
    def report(self, sections: Union[str, Iterable[str], None] = None) -> bytes: ...
    def write_workbook(self, path: _Path) -> None: ...
    def save_state(self, path: _Path) -> None: ...

def load(path: _Path) -> Network: ...
def load_state(path: _Path, training_file: Optional[_Path] = None) -> Network: ...
