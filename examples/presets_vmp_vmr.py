"""The preset birds' minimum power and maximum range speeds, and one power curve drawn.

    python3 examples/presets_vmp_vmr.py [PICTURE.png]
"""
import sys

import ornivo

birds = ornivo.presets()                              # a row per preset bird, "Preset" its number
speeds = ornivo.power_curves(birds[["Preset"]])       # one row per bird: Vmp, Vmr, ..., status
table = birds[["ShortName", "EmptyMass", "Span"]].join(speeds[["Vmp", "Vmr", "PmechMin", "status"]])
print(table.sort_values("EmptyMass").to_string(index=False, max_rows=12))

mallard = ornivo.power_curve("Mallard")               # a preset by name (or number)
curve = mallard.curve                                 # Speed, Pmech, Pchem, ... a row per m/s
print(f"Mallard: Vmp {mallard['Vmp']} m/s, Vmr {mallard['Vmr']} m/s")
try:
    import matplotlib
    matplotlib.use("Agg")
    import matplotlib.pyplot as plt
except ImportError:
    sys.exit(0)                                       # no plot without matplotlib
fig, ax = plt.subplots()
ax.plot(curve.Speed, curve.Pmech, label="mechanical")
ax.plot(curve.Speed, curve.Pchem, label="chemical")
ax.axvline(mallard["Vmp"], ls=":", c="grey")
ax.axvline(mallard["Vmr"], ls="--", c="grey")
ax.set(xlabel="True air speed (m/s)", ylabel="Power (W)", title="Mallard power curve")
ax.legend()
fig.savefig(sys.argv[1] if len(sys.argv) > 1 else "mallard.png", dpi=100)
