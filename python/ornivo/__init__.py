"""Ornivo's exact flight-performance engines for Python: power curves, glide polars and
migrations of birds, as pandas tables.

A bird is given as its Enter Bird values (``SpName``, ``EmptyMass`` in kg, ``Span`` in m,
``WingArea`` in sq m or ``AspectRatio``, ``Altitude`` in m or ``AirDensity`` in kg/cu m,
``TaxonGroup``, ``Sex``, ``Age``), or as a record of the preset table (its number or name), plus
setup controls by their screen names (``txtFatFrac=0.2``, ``optBound=True``,
``frmSetDefaultsMigr.txtEfat`` through a dict). Values are applied through the program's own
field rules, in the order given, exactly as ``ornivo-cli`` applies a bird file's edits.

    >>> import ornivo
    >>> r = ornivo.power_curve(SpName="Columba livia", EmptyMass=0.35, Span=0.67, WingArea=0.063)
    >>> r.scalars["Vmp"], r.curve.head()

A single call that the program refuses raises :class:`Refusal`; an input it cannot read raises
:class:`InputError`. The batch calls (``power_curves`` ...) take a DataFrame of birds, one per row,
and give each row a ``status`` instead, so a bad row never stops the others.
"""
from __future__ import annotations

import json
import os
from typing import Any, Iterable, Mapping, Optional, Sequence, Tuple, Union

import numpy as np
import pandas as pd

from . import _core, _paths

__version__ = _paths.VERSION
__all__ = [
    "Error", "Refusal", "InputError", "Result", "run",
    "power_curve", "power_curves", "power_at_speeds", "glide_polar", "glide_polars",
    "migrate", "migrates", "migrate_gps", "import_track", "presets", "user_birds", "wings",
]

_core.set_program_folder(os.environ.get("ORNIVO_PROGRAM_DIR") or _paths.PROGRAM_DIR)

BirdLike = Union[None, int, str, "os.PathLike[str]", Mapping[str, Any], pd.Series]
Birds = Union[pd.DataFrame, Iterable[Mapping[str, Any]]]


class Error(Exception):
    """A call that ended without results: ``lines`` holds the program's message, line by line."""

    def __init__(self, status: str, lines: Sequence[str]):
        super().__init__("\n".join(lines) if lines else status)
        self.status = status
        self.lines = list(lines)


class Refusal(Error):
    """The program refused the bird or the run (the message its screens would show)."""


class InputError(Error, ValueError):
    """An input that cannot be read: an unknown key or control, a value that is not a number."""


def _frame(table: Mapping[str, Any], index: Optional[pd.Index] = None) -> pd.DataFrame:
    """A table of the engines as a DataFrame; its units in ``df.attrs["units"]``."""
    data = {}
    for name, kind in zip(table["names"], table["kinds"]):
        column = table["columns"][name]
        if kind == "flag":
            column = pd.array([None if np.isnan(v) else bool(v) for v in column], dtype="boolean")
        elif kind == "whole":
            column = pd.array([None if np.isnan(v) else int(v) for v in column], dtype="Int64")
        data[name] = column
    df = pd.DataFrame(data, columns=list(table["names"]), index=index)
    df.attrs["units"] = dict(table["units"])
    return df


class Result:
    """What a call hands back.

    ``scalars``: the results by the program state's names (``Vmp``, ``PmechMin`` ...);
    ``inputs``: the bird's values and constants the run used; ``tables``: tidy DataFrames by name
    (also as attributes: ``curve``, ``speeds``, ``polar``, ``crosscountry``, ``rows``, ``stops``);
    ``messages``: the messages shown during the run; ``status``: ``"ok"``.
    """

    def __init__(self, raw: Mapping[str, Any]):
        self.status: str = raw["status"]
        self.scalars: dict = dict(raw["scalars"])
        self.inputs: dict = dict(raw["inputs"])
        self.messages: list = list(raw["messages"])
        self.SpName: str = raw["SpName"]
        self.ShortName: str = raw["ShortName"]
        self.tables: dict = {name: _frame(t) for name, t in raw["tables"].items()}
        self._program_state: str = raw.get("program_state", "")

    def __getattr__(self, name: str) -> pd.DataFrame:
        tables = self.__dict__.get("tables", {})
        if name in tables:
            return tables[name]
        raise AttributeError(f"no table or attribute {name!r} (tables: {', '.join(tables)})")

    def __getitem__(self, name: str) -> Any:
        return self.scalars[name]

    @property
    def program_state(self) -> dict:
        """The run's JSON as ``ornivo-cli`` prints it (call with ``program_state=True``)."""
        if not self._program_state:
            raise Error("no program state", ["call with program_state=True to keep the program state"])
        return json.loads(self._program_state)

    def __repr__(self) -> str:
        tables = ", ".join(f"{n} ({len(t)} rows)" for n, t in self.tables.items())
        return f"<ornivo.Result {self.SpName!r}: {len(self.scalars)} scalars; tables: {tables or 'none'}>"


def _raise(raw: Mapping[str, Any]) -> None:
    status, lines = raw["status"], raw["refusal"]
    if status.startswith("unreadable: "):
        raise InputError(status, lines)
    raise Refusal(status, lines)


def _is_opt(control: str) -> bool:
    return control.split(".")[-1].startswith("opt")


def _click(control: str, value: Any) -> Any:
    """An option button's edit is a click, whatever a bird file's value says (null, "click")."""
    if _is_opt(control) and (value is None or value in ("click", "dblclick")):
        return True
    return value


def _expand(values: Mapping[str, Any]) -> list:
    """A bird file's keys, or keyword values, as (name, value) pairs in order; "edits" unrolled."""
    fields = []
    for key, value in values.items():
        if key == "edits":
            for control, v in value:
                fields.append((control, _click(control, v)))
        elif key == "uncertainty" and not isinstance(value, str):
            raise InputError("unreadable", ['"uncertainty" takes "wild", "individual" or "zero"'])
        else:
            fields.append((key, value))
    return fields


def _bird_fields(bird: BirdLike, values: Mapping[str, Any]) -> list:
    if bird is None:
        fields = []
    elif isinstance(bird, (bool, np.bool_)):
        raise InputError("unreadable", ["bird must be a preset number or name, a bird file or a mapping"])
    elif isinstance(bird, (int, np.integer)):
        fields = [("Preset", int(bird))]
    elif isinstance(bird, (str, os.PathLike)):
        path = os.fspath(bird)
        if path.lower().endswith(".json") and os.path.isfile(path):
            with open(path, encoding="utf-8") as f:
                data = json.load(f)
            folder = os.path.dirname(os.path.abspath(path))
            # A bird file's track and sites are relative to its folder.
            for key in ("gps", "sites"):
                if isinstance(data.get(key), str) and not os.path.isabs(data[key]):
                    data[key] = os.path.join(folder, data[key])
            fields = _expand(data)
        else:
            fields = [("Preset", path)]
    elif isinstance(bird, pd.Series):
        fields = _expand(bird.dropna().to_dict())
    elif isinstance(bird, Mapping):
        fields = _expand(bird)
    else:
        raise InputError("unreadable", ["bird must be a preset number or name, a bird file or a mapping"])
    return fields + _expand(values)


def _single(calc: str, bird: BirdLike, values: Mapping[str, Any], *, tables: bool = True,
            uncertainty: bool = False, strict: bool = False, program_state: bool = False) -> Result:
    raw = _core.run(calc, _bird_fields(bird, values), tables, uncertainty, strict, program_state)
    if not raw["ok"]:
        _raise(raw)
    return Result(raw)


def run(calculation: str, bird: BirdLike = None, **values: Any) -> dict:
    """The run as ``ornivo-cli CALCULATION BIRD.json`` prints it: the program state's JSON
    ("inputs", "results" with its tables in the program's own indexing, "messages"), for checking
    the engines. calculation: "power-curve", "glide-polar" or "migrate"; bird: as :func:`power_curve`
    (a bird file's path included). Raises :class:`Refusal` or :class:`InputError`."""
    return _single(calculation, bird, values, tables=False, program_state=True).program_state


def power_curve(bird: BirdLike = None, *, uncertainty: bool = False, strict: bool = False,
                program_state: bool = False, **values: Any) -> Result:
    """The power curve of one bird (the "Compute Power Curve" button).

    bird: a preset's number or name, a bird-file path, or a mapping of bird keys and setup
    controls; ``values`` add more (``EmptyMass=0.35, txtFatFrac=0.1``). uncertainty: add the
    uncertainty bands of the wild-population set. strict: any message of an edit or of the run
    refuses the call. Returns a :class:`Result` with ``scalars`` (``Vmp``, ``Vmr``, ``PmechMin`` ...)
    and ``curve``: a row per whole speed with ``Speed`` (m/s), ``EAS``, ``Pmech`` (W), ``Pchem`` (W),
    ``EffLDChem``, ``MyoSpecificPower`` (W/kg), ``SpecificWork`` (J/kg), ``ClimbRate`` (m/s), and with
    the uncertainty ``PmechLow``, ``PmechHigh``, ``PmechUncert``, ``PmechUncertPct``. Raises
    :class:`Refusal` or :class:`InputError`.
    """
    return _single("power-curve", bird, values, uncertainty=uncertainty, strict=strict,
                   program_state=program_state)


def glide_polar(bird: BirdLike = None, *, strict: bool = False, program_state: bool = False,
                **values: Any) -> Result:
    """The glide polar of one bird. Tables ``polar`` (a row per whole speed: ``Speed``, ``SpanRatio``,
    ``Sink``, ``GlideRatio``) and ``crosscountry`` (a row per thermal climb rate: ``Climb``,
    ``VitOpt``, ``VccMax``, ``EffLDMax``, ``VccBg``, ``EffLDBg``). See :func:`power_curve`."""
    return _single("glide-polar", bird, values, strict=strict, program_state=program_state)


def migrate(bird: BirdLike = None, *, strict: bool = False, program_state: bool = False, **values: Any) -> Result:
    """A programmed migration (climb, cruise, final glide) of one bird. Table ``rows``: a row per
    output row (``Time`` h, ``Distance`` km, masses, powers, fuel burned ...). See :func:`power_curve`."""
    return _single("migrate", bird, values, strict=strict, program_state=program_state)


def power_at_speeds(bird: BirdLike = None, speeds: Iterable[float] = (), *, strict: bool = False,
                    **values: Any) -> Result:
    """The power curve's quantities at any air speeds (m/s), after the bird's power curve: table
    ``speeds`` with ``Speed``, ``EAS``, ``Pmech``, ``Pchem``, ``EffLD``, ``EffLDChem``,
    ``MyoSpecificPower``, ``SpecificWork``, ``ClimbRate``, ``InducedVelocity``, ``DownwashAngle``
    (NaN at a speed that is not above 0, and where a value would pass the single range). Scalars as
    :func:`power_curve`'s."""
    raw = _core.power_at_speeds(_bird_fields(bird, values), [float(v) for v in speeds], strict)
    if not raw["ok"]:
        _raise(raw)
    return Result(raw)


def _track_table(track: pd.DataFrame) -> dict:
    """A frame of track points or sites as the module takes a table: columns by position, named as text."""
    units = track.attrs.get("units", {})
    names, columns = [], {}
    for i in range(track.shape[1]):
        col, name = track.iloc[:, i], str(track.columns[i])
        names.append(name)
        columns[name] = (np.asarray(col, dtype=float) if pd.api.types.is_numeric_dtype(col)
                         else ["" if v is None or (isinstance(v, float) and np.isnan(v)) else str(v) for v in col])
    return {"names": names, "units": {n: units.get(n, "") for n in names}, "columns": columns}


def migrate_gps(bird: BirdLike = None, track: Union[str, "os.PathLike[str]", pd.DataFrame, None] = None,
                sites: Union[str, "os.PathLike[str]", pd.DataFrame, None] = None, *, strict: bool = False,
                **values: Any) -> Result:
    """A migration along a GPS track: a track file (.xlsx, .xls, .csv, as :func:`import_track`
    writes them) or the DataFrame :func:`import_track` returns; ``sites`` a stopover sites file, or a
    DataFrame with a row per site and ten columns in this order: name, intake rate (x BMR), then the
    corners SW, NW, NE, SE, each latitude then longitude.
    Tables ``rows`` (with ``Kind`` "flight", "stop" or "end", ``Altitude``, ``AirDensity``) and
    ``stops`` (``Row``, ``Start``, ``End``, ``Lat``, ``Lon``, ``Site``, ``FeedQ``, ``Hours``,
    ``FatChange`` kg, ``ProteinChange`` kg, ``Note``)."""
    if track is None:
        raise InputError("unreadable", ["migrate_gps needs a track: a file or import_track's DataFrame"])
    rows = _track_table(track) if isinstance(track, pd.DataFrame) else None
    file = "" if rows is not None else os.fspath(track)
    site_rows = _track_table(sites) if isinstance(sites, pd.DataFrame) else None
    site_file = "" if site_rows is not None or sites is None else os.fspath(sites)
    raw = _core.migrate_gps(_bird_fields(bird, values), file, rows, site_file, site_rows, strict)
    if not raw["ok"]:
        _raise(raw)
    return Result(raw)


def import_track(file: Union[str, "os.PathLike[str]"], **options: Any) -> pd.DataFrame:
    """Raw GPS fixes (Movebank CSV or GPX) to the track of a GPS run: a row per track point with the
    track workbook's columns (units in ``df.attrs["units"]``); the import summary in
    ``df.attrs["summary"]`` and its lines in ``df.attrs["messages"]``. Options: ``grid`` (minutes),
    ``animal``, ``start``/``end`` ("YYYY-MM-DD HH:MM" UTC), ``windFrom``, ``windSpeed``,
    ``maxSpeed``, ``groundSpeed``, ``groundSegSpeed``, ``groundTagMax``, ``stopFixes``,
    ``stopGapHours``."""
    raw = _core.import_track(os.fspath(file), list(options.items()))
    if not raw["ok"]:
        _raise(raw)
    df = _frame(raw["tables"]["track"])
    df.attrs["summary"] = dict(raw["scalars"])
    df.attrs["messages"] = list(raw["messages"])
    return df


def _table_call(raw: Mapping[str, Any], name: str) -> pd.DataFrame:
    if not raw["ok"]:
        _raise(raw)
    return _frame(raw["tables"][name])


def presets() -> pd.DataFrame:
    """The preset bird table: a row per record in the screen's order; ``Preset`` is its number,
    which names it in a call (``power_curve(57)``, or a ``Preset`` column of a batch)."""
    return _table_call(_core.presets(), "presets")


def user_birds() -> pd.DataFrame:
    """The user bird table (``~/.local/share/Ornivo``): a row per record, ``User`` its number."""
    return _table_call(_core.user_birds(), "user")


def wings(genus: str, species: str, sex: str = "any", age: str = "any") -> pd.DataFrame:
    """The wings database's sample means of a species (sex "M", "F" or "any"; age "A", "I" or
    "any"): one row with ``Genus``, ``Species``, ``Mass``, ``Span``, ``Area``, ``AspectRatio``,
    ``MuscleFrac``, their sample counts and whether the means were accepted."""
    raw = _core.wings(genus, species, sex, age)
    if not raw["ok"]:
        _raise(raw)
    return pd.DataFrame([raw["scalars"]])


def _birds_frame(birds: Union[pd.DataFrame, Iterable[Mapping[str, Any]]], settings: Mapping[str, Any]) -> pd.DataFrame:
    df = birds if isinstance(birds, pd.DataFrame) else pd.DataFrame(list(birds))
    repeated = df.columns[df.columns.duplicated()]
    if len(repeated):
        problem = f"the column {repeated[0]!r} is given more than once"
        raise InputError("unreadable: " + problem, [problem])
    if settings:
        df = df.assign(**{k: [v] * len(df) for k, v in settings.items()})
    problem = _core.check_columns([str(c) for c in df.columns])
    if problem:
        raise InputError("unreadable: " + problem, [problem])
    return df


def _columns(df: pd.DataFrame) -> list:
    """The frame's columns as the module takes them: float arrays, else lists of objects."""
    out = []
    for name in df.columns:
        col = df[name]
        if pd.api.types.is_numeric_dtype(col) and not pd.api.types.is_bool_dtype(col):
            out.append(np.asarray(col, dtype=float))
        else:
            out.append([None if (v is None or v is pd.NA or (isinstance(v, float) and np.isnan(v))) else v
                        for v in col.tolist()])
    return out


def _batch(calc: str, birds, settings, *, tables: Optional[str], uncertainty: bool, strict: bool, threads: int):
    df = _birds_frame(birds, settings)
    names = [str(c) for c in df.columns]
    result = _frame(_core.run_batch(calc, names, _columns(df), uncertainty, strict, threads), index=df.index)
    if not tables:
        return result
    # The long tables: a row per bird and speed (or output row), the bird's row label first.
    long = []
    for label, raw in zip(df.index, _core.run_many(calc, names, _columns(df), uncertainty, strict, threads)):
        if raw["ok"] and tables in raw["tables"]:
            part = _frame(raw["tables"][tables])
            part.insert(0, "bird", label)
            long.append(part)
    long_df = pd.concat(long, ignore_index=True) if long else pd.DataFrame(columns=["bird"])
    return result, long_df


def power_curves(birds: Birds, *, curves: bool = False, uncertainty: bool = False, strict: bool = False,
                 threads: int = 0, **settings: Any) -> Union[pd.DataFrame, Tuple[pd.DataFrame, pd.DataFrame]]:
    """Power curves of many birds: ``birds`` is a DataFrame (or a list of dicts) whose columns are
    bird keys (``SpName``, ``EmptyMass``, ``Span``, ``WingArea`` ... or ``Preset``) and setup
    controls, as the batch CSV of ``ornivo-cli batch``; ``settings`` apply to every bird. An empty
    cell (NaN, None) sets nothing. Runs on ``threads`` worker threads (0: one per core) with the
    GIL released. Returns a DataFrame with a row per bird (same index): ``SpName``, ``ShortName``,
    the results (``Vmp``, ``Vmr``, ``PmechMin`` ...) and ``status`` ("ok" or why not: a refused or
    unreadable row never stops the others). With ``curves=True``, also the long table of every
    curve (a ``bird`` column holding the row's label): returns ``(results, curves)``."""
    return _batch("power-curve", birds, settings, tables="curve" if curves else None,
                  uncertainty=uncertainty, strict=strict, threads=threads)


def glide_polars(birds: Birds, *, polars: bool = False, strict: bool = False, threads: int = 0, **settings: Any):
    """Glide polars of many birds, as :func:`power_curves`; ``polars=True`` adds the long polar table."""
    return _batch("glide-polar", birds, settings, tables="polar" if polars else None,
                  uncertainty=False, strict=strict, threads=threads)


def migrates(birds: Birds, *, rows: bool = False, strict: bool = False, threads: int = 0, **settings: Any):
    """Programmed migrations of many birds, as :func:`power_curves`; ``rows=True`` adds the long
    table of output rows. A ``gps`` column runs that bird along its track file."""
    return _batch("migrate", birds, settings, tables="rows" if rows else None,
                  uncertainty=False, strict=strict, threads=threads)
