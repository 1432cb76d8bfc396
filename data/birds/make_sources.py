#!/usr/bin/env python3
"""Writes the readable sources of the shipped bird databases from the published data sets.

Run once by hand when the data sets change; the build never runs it. Reads the copies of the
published files (see ABOUT.md), writes preset_birds.csv, user_birds.csv and wings.csv beside this
script. The build turns those CSV files (with birds_schema.sql and wings_schema.sql) into
Data/Birds.db and Data/Wings.db.

    python3 data/birds/make_sources.py /path/to/data-sources
"""
import collections
import csv
import io
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
SEA_LEVEL_DENSITY = 1.225  # kg/m^3; none of the sources gives an air density

ALERSTAM = "Alerstam et al. 2007, PLoS Biol. 5: e197"
HEDENSTROM = "Hedenstr\u00f6m & Alerstam 1992, J. Exp. Biol. 164: 19-38"
WRIGHT = "Wright, Steadman & Witt 2016, PNAS 113: 4765-4770"
BIRDWINGDATA = "BirdWingData (Shiomi, Tatani & Kikuchi 2024)"

# Specimens whose flight muscles exceed this fraction of body mass are weighing or entry errors.
MAX_MUSCLE_FRACTION = 0.4
MIN_SPECIMENS_FOR_MEAN = 3


def num(text):
    """A number of a source cell, or None when the cell is empty or NA."""
    text = (text or "").strip()
    if text in ("", "NA", "NaN"):
        return None
    try:
        return float(text)
    except ValueError:
        return None


def fmt(x):
    """Six significant digits, no floating-point noise; 0 for a missing value."""
    if x is None:
        return "0"
    return "%.6g" % x


def proper(text):
    text = (text or "").strip()
    return text[:1].upper() + text[1:].lower()


def binomial(genus, species):
    return proper(genus) + " " + (species or "").strip().lower()


def words(text):
    """country_or_place -> Country Or Place (for the free-text place names)."""
    text = (text or "").strip().replace("_", " ")
    if text.upper() == "NA":
        return ""
    return " ".join(w[:1].upper() + w[1:].lower() for w in text.split())


def read_csv(path, encoding="utf-8"):
    with open(path, "rb") as f:
        raw = f.read()
    return list(csv.DictReader(io.StringIO(raw.decode(encoding), newline="")))


def write_csv(name, header, rows):
    path = os.path.join(HERE, name)
    with open(path, "w", newline="", encoding="utf-8") as f:
        w = csv.writer(f, lineterminator="\n")
        w.writerow(header)
        w.writerows(rows)
    print("wrote %s (%d rows)" % (path, len(rows)))


# ---------------------------------------------------------------- names and orders

class Taxonomy:
    """English names and orders by scientific name, from BirdWingData (IOC 13.1) and AVONET."""

    def __init__(self, bwd_rows, avonet_rows):
        self.english = {}
        self.order = {}
        for r in bwd_rows:
            for key in ("Species_IOC13.1", "Species_original", "Species_BirdTree"):
                name = (r.get(key) or "").strip()
                if not name:
                    continue
                self.english.setdefault(name, r["English.name_IOC13.1"].strip())
                self.order.setdefault(name, proper(r["Order_IOC13.1"]))
        self.genus_order = {}
        for r in avonet_rows:
            self.order.setdefault(r["Species1"].strip(), proper(r["Order1"]))
            self.genus_order.setdefault(r["Genus"].strip(), proper(r["Order1"]))

    def order_of(self, name):
        if name in self.order:
            return self.order[name]
        return self.genus_order.get(name.split(" ")[0], "")

    def taxon_code(self, name):
        order = self.order_of(name)
        if not order:
            raise SystemExit("no order found for " + name)
        return 1 if order == "Passeriformes" else 2


# ---------------------------------------------------------------- flight muscles (Wright et al. 2016)

def wright_rows(src):
    raw = open(os.path.join(src, "wright2016-flight-muscle", "muscle_mass_data.csv"), "rb").read()
    # The file is ASCII apart from a few damaged accents in place and collector names.
    text = raw.decode("latin-1").replace("u\u00cc\u00c1", "\u00e1")
    return list(csv.DictReader(io.StringIO(text, newline="")))


def muscle_masses(r):
    """(pectoralis, supracoracoideus) of both sides in g, or (None, None) when not both weighed or implausible."""
    pect, supra, mass = num(r["pectoralis_both"]), num(r["supracor_both"]), num(r["body_mass"])
    if pect is None or supra is None or mass is None or mass <= 0:
        return None, None
    frac = (pect + supra) / mass
    if not (0 < frac <= MAX_MUSCLE_FRACTION):
        return None, None
    return pect, supra


def species_muscle_fractions(rows):
    fracs = collections.defaultdict(list)
    for r in rows:
        pect, supra = muscle_masses(r)
        if pect is None:
            continue
        fracs[binomial(r["genus"], r["species"])].append((pect + supra) / num(r["body_mass"]))
    return {k: (sum(v) / len(v), len(v)) for k, v in fracs.items() if len(v) >= MIN_SPECIMENS_FOR_MEAN}


# ---------------------------------------------------------------- the preset table

PRESET_HEADER = ["Scientific name", "Short name", "Comment", "Empty mass", "Wing span", "Wing area",
                 "Air density", "Muscle fraction", "Fat fraction", "Taxon", "Sex", "Age"]


def preset_rows(src, tax, muscle):
    rows = []

    def muscle_note(name):
        if name in muscle:
            frac, n = muscle[name]
            return frac, "; muscle fraction mean of %d specimens (%s)" % (n, WRIGHT)
        return 0.0, ""

    for r in read_csv(os.path.join(src, "alerstam2007", "alerstam2007_morphology_speeds.csv")):
        mass, span, area = num(r["mass_kg"]), num(r["span_m"]), num(r["area_m2"])
        if mass is None or span is None or area is None:
            continue
        name = r["species"].strip()
        frac, note = muscle_note(name)
        comment = "%s: species means (mass n=%s, span n=%s, area n=%s)%s" % (
            ALERSTAM, r["N_mass"], r["N_span"], r["N_area"], note)
        rows.append([name, tax.english.get(name) or name, comment, fmt(mass), fmt(span), fmt(area),
                     fmt(SEA_LEVEL_DENSITY), fmt(frac), "0", tax.taxon_code(name), 1, 3])

    for r in read_csv(os.path.join(src, "hedenstrom-alerstam-1992", "climbing_birds.csv")):
        name = r["name.scientific"].strip()
        note = ""
        if r["name"].strip() == "Arctic tern":
            name, note = "Sterna paradisaea", "; scientific name corrected from a transcription slip"
        elif name == "Carduelis spinus":
            name, note = "Spinus spinus", "; as Carduelis spinus in the paper"
        lean, fat = num(r["massEmpty"]), num(r["massFat"])
        empty = lean + fat  # the paper's mass is without fuel; ours includes the fat
        span, aspect = num(r["wingSpan"]), num(r["wingAspect"])
        frac, mnote = muscle_note(name)
        comment = "%s: migrating birds, fat load as given (often an assumed 10%% of lean mass)%s%s" % (
            HEDENSTROM, note, mnote)
        rows.append([name, tax.english.get(name) or r["name"].strip(), comment, fmt(empty), fmt(span),
                     fmt(span * span / aspect), fmt(SEA_LEVEL_DENSITY), fmt(frac), fmt(fat / empty),
                     tax.taxon_code(name), 1, 3])
    rows.sort(key=lambda row: row[0].lower())
    return rows


# ---------------------------------------------------------------- the user table as delivered

USER_EXTRA = ["Crop mass", "Cprof", "BMR factor", "Freq factor", "Sb factor", "Body Cd", "Wing Cd", "Kflap",
              "Kglide", "Kmito", "Resp", "Eta", "Efat", "Eprot", "ProtHydr", "ProtFracTarget", "ClMax", "Delta",
              "Bstop", "Gravity"]
# The program's defaults, so the delivered bird enters with the usual constants.
USER_DEFAULTS = ["0", "8.4", "1", "1", "1", "0.1", "0.014", "1.2", "1.1", "1.2e-06", "1.1", "0.23", "3.9e+07",
                 "1.83e+07", "2.2", "0.05", "1.8", "1", "5", "9.81"]


def user_rows(src, tax, muscle):
    bwd = read_csv(os.path.join(src, "birdwingdata", "BirdWingData_tidy_ver2.1_independent_sources.csv"))
    row = next(r for r in bwd if r["Species_IOC13.1"] == "Calidris alba" and r["ref"] == "Bruderer 2010")
    name = "Calidris alba"
    frac, n = muscle.get(name, (0.0, 0))
    comment = "Delivered example: mass, span and area from %s (%s)" % (row["ref"], BIRDWINGDATA)
    if n:
        comment += "; muscle fraction mean of %d specimens (%s)" % (n, WRIGHT)
    return [[name, "Sanderling", comment, fmt(num(row["body.mass_g"]) / 1000), fmt(num(row["wingspan_m"])),
             fmt(num(row["wing.area_m2"])), fmt(SEA_LEVEL_DENSITY), fmt(frac), "0", tax.taxon_code(name), 1, 3]
            + USER_DEFAULTS]


# ---------------------------------------------------------------- the wings table

WINGS_HEADER = ["Class", "Order", "Family", "Genus", "Species", "Sex", "Age", "Condition", "Mass", "Wing Span",
                "Wing Area", "Depressor muscle mass", "Elevator muscle mass", "Locality", "Remarks", "Source",
                "Date text", "Country"]

COUNTRIES = {"us": "United States", "united states": "United States", "trinidad & tobago": "Trinidad and Tobago",
             "turks & caicos islands": "Turks and Caicos Islands", "captive": "", "captive bird": "", "na": ""}


def country_name(text):
    key = (text or "").strip().replace("_", " ").lower()
    return COUNTRIES.get(key, words(key))


def wings_rows(src, wright):
    rows = []
    for r in wright:
        genus, species = proper(r["genus"]), (r["species"] or "").strip().lower()
        sex = {"male": "M", "female": "F"}.get((r["sex"] or "").strip().lower(), "")
        age = {"bursa": "I", "no_bursa": "A"}.get((r["age"] or "").strip().lower(), "")
        pect, supra = muscle_masses(r)
        remarks = []
        if (r["country"] or "").strip().lower().startswith("captive"):
            remarks.append("captive bird")
        fat = (r["fat"] or "").strip().lower()
        if fat and fat != "na":
            remarks.append("fat: " + fat)
        if pect is None and num(r["pectoralis_both"]) is not None and num(r["supracor_both"]) is not None:
            remarks.append("muscle masses left out: implausible fraction of body mass")
        place = words(r["department"])
        elev = num(r["elevation"])
        if elev is not None:
            place = (place + ", " if place else "") + "%g m" % elev
        month, year = words(r["month"]), (r["year"] or "").strip()
        date = " ".join(x for x in (month, "" if year == "NA" else year) if x)
        mass = num(r["body_mass"])
        rows.append(["Aves", proper(r["order"]), proper(r["family"]), genus, species, sex, age, "",
                     fmt(mass / 1000 if mass and mass > 0 else None), "0", "0",
                     fmt(pect / 1000 if pect else None), fmt(supra / 1000 if supra else None),
                     place, "; ".join(remarks) or "-", "%s, specimen %s" % (WRIGHT, r["numb"].strip()),
                     date, country_name(r["country"])])

    bwd = read_csv(os.path.join(src, "birdwingdata", "BirdWingData_tidy_ver2.1_independent_sources.csv"))
    for r in bwd:
        name = (r["Species_IOC13.1"] or r["Species_original"]).strip().split(" ")
        sex = {"M": "M", "F": "F"}.get(r["Sex"].strip(), "")
        age = {"A": "A", "J": "I"}.get(r["Adult_Juvenile"].strip(), "")
        mass = num(r["body.mass_g"])
        rows.append(["Aves", proper(r["Order_IOC13.1"]), proper(r["Family_IOC13.1"]), proper(name[0]),
                     " ".join(name[1:]).lower(), sex, age, "", fmt(mass / 1000 if mass else None),
                     fmt(num(r["wingspan_m"])), fmt(num(r["wing.area_m2"])), "0", "0", "",
                     "Published sample mean", "%s, from %s" % (BIRDWINGDATA, r["ref"].strip()), "", ""])
    return rows


def main():
    src = sys.argv[1] if len(sys.argv) > 1 else os.path.join(HERE, "..", "..", "..", "shared", "data-sources")
    bwd = read_csv(os.path.join(src, "birdwingdata", "BirdWingData_tidy_ver2.1_independent_sources.csv"))
    avonet = read_csv(os.path.join(src, "avonet", "AVONET1_BirdLife.csv"), "latin-1")
    tax = Taxonomy(bwd, avonet)
    wright = wright_rows(src)
    muscle = species_muscle_fractions(wright)
    write_csv("preset_birds.csv", PRESET_HEADER, preset_rows(src, tax, muscle))
    write_csv("user_birds.csv", PRESET_HEADER + USER_EXTRA, user_rows(src, tax, muscle))
    write_csv("wings.csv", WINGS_HEADER, wings_rows(src, wright))


if __name__ == "__main__":
    main()
