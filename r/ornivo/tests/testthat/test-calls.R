pigeon <- list(SpName = "Columba livia", ShortName = "Pigeon", EmptyMass = 0.35, Span = 0.67,
               WingArea = 0.063, Altitude = 0)

test_that("one refused bird is an error with the program's message, line by line", {
  err <- expect_error(power_curve(modifyList(pigeon, list(Span = -0.67))), class = "ornivo_refusal")
  expect_gt(length(err$lines), 0)
  expect_identical(conditionMessage(err), paste(err$lines, collapse = "\n"))
  expect_error(power_curve(modifyList(pigeon, list(EmptyMass = NULL))), "EmptyMass", class = "ornivo_input_error")
  expect_error(power_curve(pigeon, txtFatFrc = 0.1), "txtFatFrc", class = "ornivo_input_error")
  expect_error(glide_polar(c(pigeon, EmptyMas = 0.3)), "EmptyMas", class = "ornivo_input_error")
  expect_error(power_curve(c(pigeon, txtFatFrac = list(c(0.1, 0.2)))), "single value", class = "ornivo_input_error")
  expect_error(migrate(unname(pigeon)), class = "ornivo_input_error")
  expect_error(power_curve(pigeon, strict = TRUE, txtFatFrac = 5), class = "ornivo_refusal")
})

test_that("a bird is a list, a named vector, a preset's number or name, or a bird file", {
  row <- power_curve(pigeon, txtFatFrac = 0.1)
  expect_identical(nrow(row), 1L)
  expect_identical(row$status, "ok")
  expect_identical(row, power_curve(c(pigeon, txtFatFrac = 0.1)))
  # A named character vector: every value a text, read by the screens' rules as typed.
  texts <- vapply(pigeon, as.character, "")
  expect_identical(power_curve(texts)$VmpExact, power_curve(pigeon)$VmpExact)
  file <- tempfile(fileext = ".json")
  writeLines('{"SpName": "Columba livia", "ShortName": "Pigeon", "EmptyMass": 0.35, "Span": 0.67,
              "WingArea": 0.063, "Altitude": 0, "edits": [["txtFatFrac", 0.1], ["optBound", null]]}', file)
  bird <- read_bird(file)
  expect_identical(names(bird)[7:8], c("txtFatFrac", "optBound"))
  expect_identical(bird$optBound, TRUE)
  expect_identical(power_curve(file), power_curve(bird))
  expect_identical(power_curve(file)$Vmp, power_curve(pigeon, txtFatFrac = 0.1, optBound = TRUE)$Vmp)
  # A NULL option button is a click, as in a bird file.
  expect_identical(power_curve(c(pigeon, list(optBound = NULL)))$Vmp, power_curve(pigeon, optBound = TRUE)$Vmp)
})

test_that("the preset table's records run by number and by name", {
  birds <- presets()
  expect_gt(nrow(birds), 50)
  expect_true(all(c("Preset", "SpName", "ShortName") %in% names(birds)))
  expect_identical(birds$Preset, seq_len(nrow(birds)))
  out <- power_curve(birds[1:5, "Preset", drop = FALSE])
  expect_identical(out$status, rep("ok", 5))
  expect_identical(out$SpName, birds$SpName[1:5])
  one <- power_curve(3)
  expect_identical(one$SpName, birds$SpName[3])
  expect_identical(one$Vmp, out$Vmp[3])
  expect_error(power_curve(100000), "100000", class = "ornivo_error")
  expect_s3_class(user_birds(), "data.frame")
})

test_that("the wings database gives a species' means", {
  w <- wings("Anas", "platyrhynchos")
  expect_identical(nrow(w), 1L)
  expect_gt(w$found, 0)
  expect_gt(w$Span, 0.5)
  expect_error(wings("Anas", "platyrhynchos", sex = "X"), "sex", class = "ornivo_input_error")
})

test_that("power at any speeds is the curve's at whole speeds", {
  curve <- power_curve(pigeon, curves = TRUE)
  at <- power_at_speeds(pigeon, c(0, curve$Speed, 10.5))
  expect_identical(names(at)[1:2], c("bird", "Speed"))
  expect_true(all(is.na(at[1, -(1:2)])))
  inside <- at[at$Speed %in% curve$Speed, ]
  expect_equal(inside$Pmech, curve$Pmech, tolerance = 1e-5)
  expect_equal(inside$Pchem, curve$Pchem, tolerance = 1e-5)
  expect_true(is.finite(at$Pmech[nrow(at)]))
  expect_identical(attr(at, "birds")$Vmp, power_curve(pigeon)$Vmp)
  expect_error(power_at_speeds(modifyList(pigeon, list(Span = -1)), 8), class = "ornivo_refusal")
})

test_that("a track imported into R runs as the same track written by ornivo-cli", {
  skip_without_reference()
  fixes <- file.path(tests_dir, "..", "data", "tracks", "Alb02_WhiteStork2859_2016-05-02to04_Movebank.csv")
  track <- import_track(fixes)
  expect_gt(nrow(track), 10)
  expect_gt(attr(track, "summary")$fixesRead, 500)
  written <- tempfile(fileext = ".xlsx")
  expect_identical(system2(cli, c("track", "import", shQuote(fixes), "--out", shQuote(written)), stdout = FALSE), 0L)
  stork <- list(SpName = "Ciconia ciconia", ShortName = "White Stork", EmptyMass = 3.4, Span = 2.1,
                WingArea = 0.5, Altitude = 500, txtFatFrac = 0.15)
  from_frame <- migrate_gps(stork, track)
  from_file <- migrate_gps(stork, written)
  expect_identical(from_frame[setdiff(names(from_frame), "gps")], from_file[setdiff(names(from_file), "gps")],
                   ignore_attr = TRUE)
  stops <- migrate_gps(stork, track, curves = "stops")
  expect_identical(nrow(stops), nrow(attr(from_file, "tables")$stops))
  expect_error(import_track(tempfile()), class = "ornivo_input_error")
})
