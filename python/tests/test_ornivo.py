"""The Python package against the command-line program it shares its engines with: the reference
birds value for value, tidy tables against the program-state tables, batches with bad rows,
threads, refusals, tracks and the bird tables."""
import csv
import json
import math
import os
import subprocess

import numpy as np
import pandas as pd
import pytest

import ornivo

TESTS = os.environ.get("ORNIVO_TESTS_DIR", os.path.join(os.path.dirname(__file__), "..", "..", "tests"))
CASES = os.path.join(TESTS, "data", "reference", "cases")
STORK = os.path.join(TESTS, "..", "data", "tracks")
CLI = os.environ.get("ORNIVO_CLI", "ornivo-cli")
CALC = {"pc": "power-curve", "gp": "glide-polar", "mg": "migrate"}
PIGEON = dict(SpName="Columba livia", EmptyMass=0.35, Span=0.67, WingArea=0.063, Altitude=0)


def cli(calculation, bird_file, *args):
    p = subprocess.run([CLI, calculation, bird_file, *args], capture_output=True, text=True,
                       cwd=os.path.dirname(bird_file))
    return p.returncode, p.stdout, p.stderr


def case_files():
    return sorted(f for f in os.listdir(CASES) if f.endswith(".json") and not f.endswith(".expected.json"))


def same(a, b):
    """Equal as the JSON holds them: numbers exactly, NaN nowhere."""
    if isinstance(a, float) or isinstance(b, float):
        return isinstance(a, (int, float)) and isinstance(b, (int, float)) and a == b
    return a == b


@pytest.mark.parametrize("name", case_files())
def test_reference_cases_equal_the_cli_value_for_value(name):
    path = os.path.join(CASES, name)
    calculation = CALC[name[:2]]
    code, out, _ = cli(calculation, path)
    if code != 0:
        with pytest.raises(ornivo.Refusal):
            ornivo.run(calculation, path)
        return
    expected = json.loads(out)
    got = ornivo.run(calculation, path)
    for part in ("inputs", "results"):
        assert list(got[part]) == list(expected[part]), part
        for key, value in expected[part].items():
            assert same(got[part][key], value) if not isinstance(value, (list, dict)) else got[part][key] == value, key
    # The scalars of the tidy call are the same values.
    result = {"power-curve": ornivo.power_curve, "glide-polar": ornivo.glide_polar,
              "migrate": ornivo.migrate}[calculation](path)
    for key, value in expected["results"].items():
        if isinstance(value, (int, float, str, bool)):
            assert same(result.scalars[key], value), key


def test_tidy_tables_are_the_program_state_tables():
    state = ornivo.run("power-curve", PIGEON)["results"]
    curve = ornivo.power_curve(PIGEON).curve
    table = state["PowerCurveTable"]  # quantity by whole speed
    assert len(curve) == state["CurveLastRow"] - state["CurveFirstSpeed"] + 1
    for _, row in curve.iterrows():
        v = int(row.Speed)
        for name, q in [("EAS", 0), ("Pmech", 1), ("Pchem", 2), ("EffLDChem", 3), ("MyoSpecificPower", 4),
                        ("SpecificWork", 5), ("ClimbRate", 10)]:
            assert row[name] == table[q][v], (name, v)
    assert curve.attrs["units"]["Pmech"] == "W"

    state = ornivo.run("glide-polar", PIGEON)["results"]
    glide = ornivo.glide_polar(PIGEON)
    for _, row in glide.polar.iterrows():
        assert list(row[["SpanRatio", "Sink", "GlideRatio"]]) == state["GlidePolarTable"][int(row.Speed)]
    assert glide.crosscountry.iloc[:, 1:].values.tolist() == state["MacCreadyTable"][1:7]

    bird = dict(PIGEON, txtFatFrac=0.2, txtGoalDist=500)
    state = ornivo.run("migrate", bird)["results"]
    rows = ornivo.migrate(bird).rows
    assert len(rows) == state["RowsWritten"] + 1
    for r, row in rows.iterrows():
        assert [row.Time, row.Distance, row.Speed] == state["TravelTable"][r][1:4]
        assert [row.Pmech, row.Pchem] == state["PowerTable"][r][2:4]
        assert [row.FatBurned, row.MetabolicSink] == [state["FuelTable"][r][2], state["FuelTable"][r][11]]


def test_power_at_whole_speeds_are_the_curve():
    result = ornivo.power_curve(PIGEON)
    speeds = ornivo.power_at_speeds(PIGEON, speeds=list(result.curve.Speed) + [11.5, 0]).speeds
    n = len(result.curve)
    # The curve's rows come from the scan's running sum of 0.1 m/s steps, a few millionths off the
    # whole speed; the call computes at the speed given.
    for name in ("Pmech", "Pchem", "EffLDChem", "SpecificWork", "ClimbRate"):
        assert list(speeds[name][:n]) == pytest.approx(list(result.curve[name]), rel=5e-6), name
    assert speeds.Pmech[n] > 0 and math.isnan(speeds.Pmech[n + 1])


def test_a_batch_with_refused_and_unreadable_rows_runs_the_others():
    birds = pd.DataFrame({
        "SpName": ["good", "no mass", "text span", "negative span", "good too", None],
        "EmptyMass": [0.35, np.nan, 0.35, 0.35, 0.5, np.nan],
        "Span": [0.67, 0.67, "wide", -0.67, 0.8, np.nan],
        "WingArea": [0.063, 0.063, 0.063, 0.063, 0.06, np.nan],
        "Altitude": [0, 0, 0, 0, 0, np.nan],
        "Preset": [np.nan, np.nan, np.nan, np.nan, np.nan, 57],
    }, index=list("abcdef"))
    out = ornivo.power_curves(birds)
    assert list(out.index) == list("abcdef")
    assert list(out.status[["a", "e", "f"]]) == ["ok"] * 3
    assert "EmptyMass" in out.status["b"] and out.status["b"].startswith("unreadable")
    assert out.status["c"].startswith("unreadable") and "wide" in out.status["c"]
    assert out.status["d"] != "ok" and not out.status["d"].startswith("unreadable")
    assert math.isnan(out.Vmp["d"]) and out.Vmp["a"] == ornivo.power_curve(PIGEON).scalars["Vmp"]
    assert out.ShortName["f"] == ornivo.power_curve(57).ShortName  # the preset's own names
    with pytest.raises(ornivo.InputError, match="EmptyMas"):
        ornivo.power_curves(pd.DataFrame({"EmptyMas": [1.0]}))


def test_threads_give_the_results_of_one_thread_and_of_single_calls():
    rng = np.random.default_rng(7)
    birds = pd.DataFrame({"SpName": "x", "EmptyMass": rng.uniform(0.1, 3, 200), "Span": rng.uniform(0.3, 2, 200),
                          "WingArea": rng.uniform(0.02, 0.3, 200), "Altitude": 0.0})
    one = ornivo.power_curves(birds, threads=1)
    two = ornivo.power_curves(birds, threads=2)
    pd.testing.assert_frame_equal(one, two)
    for i in (0, 57, 199):
        single = ornivo.power_curve(birds.iloc[i])
        assert one.Vmp[i] == single.scalars["Vmp"] and one.PmechMin[i] == single.scalars["PmechMin"]
    results, curves = ornivo.power_curves(birds.head(3), curves=True)
    assert set(curves.bird) == {0, 1, 2}
    assert list(curves[curves.bird == 1].Pmech) == list(ornivo.power_curve(birds.iloc[1]).curve.Pmech)


def test_refusals_raise_with_the_message():
    with pytest.raises(ornivo.Refusal) as e:
        ornivo.power_curve(dict(PIGEON, Span=-0.67))
    assert e.value.lines and str(e.value) == "\n".join(e.value.lines)
    with pytest.raises(ornivo.InputError, match="EmptyMas"):
        ornivo.power_curve(SpName="x", EmptyMas=0.35)
    with pytest.raises(ornivo.InputError):
        ornivo.power_curve(dict(PIGEON, Span="wide"))
    # A misspelt control is caught before any bird runs, with the control it was probably meant to be.
    with pytest.raises(ornivo.InputError, match='closest is "txtFatFrac"'):
        ornivo.power_curves(pd.DataFrame([dict(PIGEON, txtFatFrak=0.1)]))


def test_settings_apply_in_order_through_the_field_rules():
    plain = ornivo.power_curve(PIGEON)
    # The crop load makes the bird heavier; the fraction typed after it is of the new mass.
    fed = ornivo.power_curve(PIGEON, txtCropMass=0.05, txtFatFrac=0.3)
    assert fed.inputs["CropMass"] == pytest.approx(0.05) and fed.inputs["FatFrac"] == pytest.approx(0.3)
    assert fed.scalars["PmechMin"] > plain.scalars["PmechMin"]
    uncertain = ornivo.power_curve(PIGEON, uncertainty=True)
    assert {"PmechLow", "PmechHigh"} <= set(uncertain.curve.columns)
    assert (uncertain.curve.PmechLow < uncertain.curve.Pmech).all()


def test_gps_runs_from_a_track_file_and_from_imported_fixes():
    bird = dict(Preset="White Stork", txtFatFrac=0.15)
    track = os.path.join(STORK, "Alb02_WhiteStork2859_2016-05-02to04_ProcessedToAirSpeed.csv")
    sites = os.path.join(STORK, "Alb02_WhiteStork2859_2016-05-02to04_ProcessedToAirSpeed_StopoverSites.txt")
    from_file = ornivo.migrate_gps(bird, track, sites)
    assert set(from_file.rows.Kind) >= {"flight", "stop"}
    assert len(from_file.stops) == (from_file.rows.Kind == "stop").sum() > 0
    assert list(from_file.stops.columns[:3]) == ["Row", "Start", "End"]

    fixes = ornivo.import_track(os.path.join(STORK, "Alb02_WhiteStork2859_2016-05-02to04_Movebank.csv"))
    assert 0 < fixes.attrs["summary"]["trackPoints"] <= len(fixes)  # stops add rows
    from_rows = ornivo.migrate_gps(bird, fixes, sites)
    written = os.path.join(os.environ.get("TMPDIR", "/tmp"), "ornivo-test-track-%d.csv" % os.getpid())
    subprocess.run([CLI, "track", "import", os.path.join(STORK, "Alb02_WhiteStork2859_2016-05-02to04_Movebank.csv"),
                    "--out", written + ".xlsx", "--csv", written], check=True, capture_output=True)
    try:
        from_csv = ornivo.migrate_gps(bird, written, sites)
    finally:
        for f in (written, written + ".xlsx"):
            os.path.exists(f) and os.remove(f)
    assert from_rows.scalars == from_csv.scalars
    pd.testing.assert_frame_equal(from_rows.rows, from_csv.rows)

    # The sites given as a DataFrame run as their file.
    with open(sites) as f:
        lines = f.read().splitlines()[2:]
    table = pd.DataFrame([next(csv.reader([line])) for line in lines if line.strip()])
    table = table.astype({c: float for c in table.columns[1:]})
    from_site_rows = ornivo.migrate_gps(bird, track, table)
    assert from_site_rows.scalars == from_file.scalars
    pd.testing.assert_frame_equal(from_site_rows.stops, from_file.stops)
    with pytest.raises(ornivo.InputError, match="ten columns"):
        ornivo.migrate_gps(bird, track, table.iloc[:, :4])


def test_bird_tables_and_wings():
    presets = ornivo.presets()
    assert len(presets) > 100 and presets.Preset.is_unique
    assert {"SpName", "ShortName", "EmptyMass", "Span", "WingArea"} <= set(presets.columns)
    out = ornivo.power_curves(presets[["Preset"]])
    assert (out.status == "ok").all() and list(out.ShortName) == list(presets.ShortName)
    assert isinstance(ornivo.user_birds(), pd.DataFrame)
    mallard = ornivo.wings("Anas", "platyrhynchos")
    assert mallard.Mass[0] > 0 and mallard.Genus[0] == "Anas"
    with pytest.raises(ornivo.Refusal):
        ornivo.wings("Anas", "nosuchspecies")


def test_help_tells_what_to_pass():
    assert "Refusal" in ornivo.power_curve.__doc__ and "EmptyMass" in ornivo.power_curve.__doc__
    assert "status" in ornivo.power_curves.__doc__


def test_a_dask_run_over_partitions_equals_one_call():
    pytest.importorskip("dask.dataframe")
    import importlib
    import sys
    examples = os.environ.get("ORNIVO_EXAMPLES_DIR", os.path.join(TESTS, "..", "examples"))
    sys.path.insert(0, examples)
    try:
        example = importlib.import_module("dask_power_curves")
    finally:
        sys.path.remove(examples)
    birds = example.draw_birds(400)
    birds.loc[5, "Span"] = -1.0  # a refused bird in one partition stops nothing
    whole = ornivo.power_curves(birds)
    split = example.power_curves_dask(birds, partitions=7)
    pd.testing.assert_frame_equal(split.sort_index(), whole)
    assert (whole.status == "ok").sum() == 399


def test_the_readme_example_runs_and_draws(tmp_path):
    examples = os.environ.get("ORNIVO_EXAMPLES_DIR", os.path.join(TESTS, "..", "examples"))
    picture = tmp_path / "mallard.png"
    p = subprocess.run([os.sys.executable, os.path.join(examples, "presets_vmp_vmr.py"), str(picture)],
                       capture_output=True, text=True, cwd=tmp_path)
    assert p.returncode == 0, p.stderr
    assert "Mallard: Vmp" in p.stdout
    try:
        import matplotlib  # noqa: F401
        assert picture.stat().st_size > 10000
    except ImportError:
        pass


def test_hostile_inputs_get_a_message_never_a_crash():
    weird = pd.DataFrame({"SpName": ["a", "b", "c"], "EmptyMass": [{"x": 1}, np.inf, 1e308],
                          "Span": [0.6] * 3, "WingArea": [0.06] * 3, "Altitude": [0] * 3})
    statuses = list(ornivo.power_curves(weird).status)
    assert statuses[0].startswith("unreadable") and statuses[1].startswith("unreadable")
    assert statuses[2] != "ok"  # too large: the program's refusal
    with pytest.raises(ornivo.InputError, match="more than once"):
        ornivo.power_curves(pd.DataFrame([[0.3, 0.4]], columns=["EmptyMass", "EmptyMass"]))
    assert ornivo.power_curves(pd.DataFrame()).empty
    speeds = ornivo.power_at_speeds(1, [np.nan, -1, 1e30, 10]).speeds.Pmech
    assert speeds[:3].isna().all() and speeds[3] > 0
    with pytest.raises(ornivo.Refusal) as e:
        ornivo.wings("Nogenus", "x")
    assert e.value.lines
