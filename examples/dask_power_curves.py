"""Power curves of many birds beyond one call: a Monte-Carlo study of parameter uncertainty,
the birds drawn around measured means, split into the partitions of a Dask DataFrame. Each
partition is one ornivo.power_curves call (its rows on threads, the GIL released), so the same
code runs on the threaded scheduler of one machine or on a distributed cluster's workers.

    python3 examples/dask_power_curves.py [BIRDS] [PARTITIONS]
"""
import sys

import dask
import dask.dataframe as dd
import numpy as np
import pandas as pd

import ornivo


def draw_birds(n: int, seed: int = 1) -> pd.DataFrame:
    """n birds around a pigeon: mass, span and wing area each with a 5 % standard deviation."""
    rng = np.random.default_rng(seed)
    return pd.DataFrame({
        "SpName": "Columba livia",
        "EmptyMass": rng.normal(0.35, 0.0175, n),
        "Span": rng.normal(0.67, 0.0335, n),
        "WingArea": rng.normal(0.063, 0.00315, n),
        "Altitude": 0.0,
    })


def power_curves_dask(birds: pd.DataFrame, partitions: int, scheduler: str = "threads") -> pd.DataFrame:
    """ornivo.power_curves over the partitions of a Dask DataFrame; the rows keep their index."""
    frame = dd.from_pandas(birds, npartitions=partitions)
    meta = ornivo.power_curves(birds.head(1))  # the columns and their types, from one bird
    return frame.map_partitions(ornivo.power_curves, threads=1, meta=meta).compute(scheduler=scheduler)


if __name__ == "__main__":
    n = int(sys.argv[1]) if len(sys.argv) > 1 else 20000
    parts = int(sys.argv[2]) if len(sys.argv) > 2 else 8
    result = power_curves_dask(draw_birds(n), parts)
    ok = result[result.status == "ok"]
    print(f"{len(ok)} of {n} birds: Vmp {ok.Vmp.mean():.2f} ± {ok.Vmp.std():.2f} m/s, "
          f"Vmr {ok.Vmr.mean():.2f} ± {ok.Vmr.std():.2f} m/s")
