-- The bird database: the read-only preset birds and the user's own birds.
-- Text comparisons ignore case, as the record sets' ORDER BY [Scientific name] expects.
CREATE TABLE "Preset Birds" (
  "Scientific name" TEXT NOT NULL DEFAULT '' COLLATE NOCASE,
  "Short name"      TEXT NOT NULL DEFAULT '' COLLATE NOCASE,
  "Comment"         TEXT NOT NULL DEFAULT '',
  "Empty mass"      REAL NOT NULL DEFAULT 0,   -- kg, crop empty
  "Wing span"       REAL NOT NULL DEFAULT 0,   -- m
  "Wing area"       REAL NOT NULL DEFAULT 0,   -- sq m
  "Air density"     REAL NOT NULL DEFAULT 0,   -- kg per cubic m
  "Muscle fraction" REAL NOT NULL DEFAULT 0,   -- 0 or less: not known
  "Fat fraction"    REAL NOT NULL DEFAULT 0,
  "Taxon"           INTEGER NOT NULL DEFAULT 2, -- 1 passerine, 2 non-passerine
  "Sex"             INTEGER NOT NULL DEFAULT 1, -- 1 both, 2 male, 3 female, 4 unknown
  "Age"             INTEGER NOT NULL DEFAULT 1  -- 1 adult, 2 immature, 3 unknown
);

-- The user's birds: the twelve fields above plus the model's parameters (0 or less: the default).
CREATE TABLE "User Birds" (
  "Scientific name" TEXT NOT NULL DEFAULT '' COLLATE NOCASE,
  "Short name"      TEXT NOT NULL DEFAULT '' COLLATE NOCASE,
  "Comment"         TEXT NOT NULL DEFAULT '',
  "Empty mass"      REAL NOT NULL DEFAULT 0,
  "Wing span"       REAL NOT NULL DEFAULT 0,
  "Wing area"       REAL NOT NULL DEFAULT 0,
  "Air density"     REAL NOT NULL DEFAULT 0,
  "Muscle fraction" REAL NOT NULL DEFAULT 0,
  "Fat fraction"    REAL NOT NULL DEFAULT 0,
  "Taxon"           INTEGER NOT NULL DEFAULT 2,
  "Sex"             INTEGER NOT NULL DEFAULT 1,
  "Age"             INTEGER NOT NULL DEFAULT 1,
  "Crop mass"       REAL NOT NULL DEFAULT 0,   -- kg
  "Cprof"           REAL NOT NULL DEFAULT 0,
  "BMR factor"      REAL NOT NULL DEFAULT 0,
  "Freq factor"     REAL NOT NULL DEFAULT 0,
  "Sb factor"       REAL NOT NULL DEFAULT 0,
  "Body Cd"         REAL NOT NULL DEFAULT 0,
  "Wing Cd"         REAL NOT NULL DEFAULT 0,
  "Kflap"           REAL NOT NULL DEFAULT 0,
  "Kglide"          REAL NOT NULL DEFAULT 0,
  "Kmito"           REAL NOT NULL DEFAULT 0,   -- cubic m per W
  "Resp"            REAL NOT NULL DEFAULT 0,
  "Eta"             REAL NOT NULL DEFAULT 0,
  "Efat"            REAL NOT NULL DEFAULT 0,   -- J/kg
  "Eprot"           REAL NOT NULL DEFAULT 0,   -- J/kg
  "ProtHydr"        REAL NOT NULL DEFAULT 0,
  "ProtFracTarget"  REAL NOT NULL DEFAULT 0,
  "ClMax"           REAL NOT NULL DEFAULT 0,
  "Delta"           REAL NOT NULL DEFAULT 0,
  "Bstop"           REAL NOT NULL DEFAULT 0,
  "Gravity"         REAL NOT NULL DEFAULT 0    -- m/s^2
);
