-- The wings database: one record per specimen or published sample, read only.
-- Measurements of 0 are "not recorded".
CREATE TABLE "Table1" (
  "Class"                 TEXT NOT NULL DEFAULT '',
  "Order"                 TEXT NOT NULL DEFAULT '',
  "Family"                TEXT NOT NULL DEFAULT '',
  "Genus"                 TEXT NOT NULL DEFAULT '',
  "Species"               TEXT NOT NULL DEFAULT '',  -- specific name without the genus
  "Sex"                   TEXT NOT NULL DEFAULT '',  -- M, F, anything else unknown
  "Age"                   TEXT NOT NULL DEFAULT '',  -- A adult, I immature, P pullus
  "Condition"             TEXT NOT NULL DEFAULT '',  -- two-letter code, empty: not recorded
  "Mass"                  REAL NOT NULL DEFAULT 0,   -- kg
  "Wing Span"             REAL NOT NULL DEFAULT 0,   -- m
  "Wing Area"             REAL NOT NULL DEFAULT 0,   -- sq m
  "Depressor muscle mass" REAL NOT NULL DEFAULT 0,   -- kg, both pectorales
  "Elevator muscle mass"  REAL NOT NULL DEFAULT 0,   -- kg, both supracoracoidei
  "Locality"              TEXT NOT NULL DEFAULT '',
  "Remarks"               TEXT NOT NULL DEFAULT '',
  "Source"                TEXT NOT NULL DEFAULT '',
  "Date text"             TEXT NOT NULL DEFAULT '',
  "Country"               TEXT NOT NULL DEFAULT ''
);
