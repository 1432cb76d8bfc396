pigeon <- list(SpName = "Columba livia", ShortName = "Pigeon", EmptyMass = 0.35, Span = 0.67,
               WingArea = 0.063, Altitude = 0)
mallard <- list(SpName = "Anas platyrhynchos", ShortName = "Mallard", EmptyMass = 1.0, Span = 0.9,
                WingArea = 0.1, Altitude = 0)
two <- data.frame(SpName = c(pigeon$SpName, mallard$SpName), ShortName = c("Pigeon", "Mallard"),
                  EmptyMass = c(0.35, 1.0), Span = c(0.67, 0.9), WingArea = c(0.063, 0.1), Altitude = 0)

test_that("a batch row gives what the single call on that bird gives", {
  out <- power_curve(two)
  expect_identical(out$status, c("ok", "ok"))
  expect_identical(out$ShortName, c("Pigeon", "Mallard"))
  single <- power_curve(mallard)
  for (key in c("Vmp", "Vmr", "PmechMin", "PchemMin", "MaxClimb"))
    expect_identical(out[[key]][2], single[[key]], label = key)
  expect_identical(glide_polar(two)$BestGlideRatio[1], glide_polar(pigeon)$BestGlideRatio)
  expect_identical(migrate(two, txtFatFrac = 0.3)$Distance[2], migrate(mallard, txtFatFrac = 0.3)$Distance)
})

test_that("bad rows get their status and never stop the others", {
  birds <- data.frame(SpName = "Columba livia", EmptyMass = c(0.35, 0.35, 0.35, NA, 0.35),
                      Span = c("0.67", "abc", "-0.67", "0.67", "0.67"), WingArea = 0.063, Altitude = 0)
  out <- power_curve(birds)
  expect_identical(nrow(out), 5L)
  expect_identical(out$status[c(1, 5)], c("ok", "ok"))
  expect_match(out$status[2], "^unreadable: .*Span")
  expect_true(all(out$status[3:4] != "ok"))
  expect_true(all(is.na(out$Vmp[2:4])))
  expect_identical(out$Vmp[1], power_curve(pigeon)$Vmp)
  # A refused row's status is the single call's refusal.
  refused <- expect_error(power_curve(modifyList(pigeon, list(Span = -0.67))), class = "ornivo_refusal")
  expect_identical(out$status[3], refused$status)
  unreadable <- expect_error(power_curve(modifyList(pigeon, list(Span = "abc"))), class = "ornivo_input_error")
  expect_identical(out$status[2], unreadable$status)
})

test_that("a misspelt column is an error naming it, before any bird runs", {
  misspelt <- two
  names(misspelt)[3] <- "EmptyMas"
  err <- expect_error(power_curve(misspelt), class = "ornivo_input_error")
  expect_match(conditionMessage(err), "EmptyMas.*closest key is \"EmptyMass\"")
  expect_error(migrate(two, Spn = 0.2), "Spn", class = "ornivo_input_error")
  # A misspelt control is an error too, naming the closest control; a control of another calculation's
  # screen is each row's status, as in ornivo-cli's batch.
  err <- expect_error(migrate(two, txtFatFrc = 0.2), class = "ornivo_input_error")
  expect_match(conditionMessage(err), "txtFatFrc.*closest is \"txtFatFrac\"")
  expect_match(migrate(two, txtKGlide = 1.2)$status, "^unreadable: unknown control.*txtKGlide")
  expect_error(power_curve(two, 0.2), "named", class = "ornivo_input_error")
  expect_error(power_curve(cbind(two, note = I(list(1, 2)))), class = "ornivo_input_error")
})

test_that("settings apply to every bird after its own columns; a vector gives one per row", {
  k <- power_curve(two, txtKflap = 1.4)
  expect_identical(k, power_curve(cbind(two, txtKflap = 1.4)))
  expect_true(all(k$PmechMin > power_curve(two)$PmechMin))
  mixed <- power_curve(two, txtKflap = c(1.4, NA))
  expect_identical(mixed$PmechMin, c(k$PmechMin[1], power_curve(two)$PmechMin[2]))
  # The later value wins: a setting after the bird's own column of the same control.
  expect_identical(power_curve(cbind(two, txtKflap = 1.2), txtKflap = 1.4), k)
  expect_error(power_curve(two, txtKflap = c(1.1, 1.2, 1.3)), "3 values for 2 birds")
})

test_that("factor, integer and logical columns read as their values", {
  typed <- transform(two, SpName = factor(SpName), TaxonGroup = 2L, optBound = TRUE)
  out <- power_curve(typed)
  expect_identical(out$SpName, two$SpName)
  clicked <- power_curve(two, TaxonGroup = 2, optBound = TRUE)
  expect_identical(out, clicked)
  expect_identical(power_curve(two, TaxonGroup = 2, optBound = NULL), clicked)
})

test_that("long tables stack every run bird's table under a bird column", {
  birds <- rbind(two, transform(two[1, ], Span = -1))
  long <- power_curve(birds, curves = TRUE)
  expect_identical(names(long)[1:3], c("bird", "Speed", "EAS"))
  expect_setequal(unique(long$bird), 1:2)
  expect_identical(attr(long, "birds"), power_curve(birds))
  mallard_curve <- power_curve(mallard, curves = TRUE)
  expect_equal(long[long$bird == 2, -1], mallard_curve[, -1], ignore_attr = TRUE)
  expect_identical(unique(mallard_curve$bird), "Mallard")
  row.names(birds) <- c("pigeon", "mallard", "bad")
  named <- glide_polar(birds, curves = "crosscountry")
  expect_setequal(unique(named$bird), c("pigeon", "mallard"))
  expect_identical(row.names(attr(named, "birds")), row.names(birds))
  expect_gt(nrow(migrate(birds, txtFatFrac = 0.3, curves = TRUE)), 2)
})

test_that("threads do not change the results", {
  birds <- two[rep(1:2, 20), ]
  birds$EmptyMass <- birds$EmptyMass * seq(0.8, 1.2, length.out = 40)
  expect_identical(power_curve(birds, threads = 1), power_curve(birds, threads = 2))
})

test_that("uncertainty adds the bands to the curve", {
  plain <- power_curve(pigeon, curves = TRUE)
  bands <- power_curve(pigeon, curves = TRUE, uncertainty = TRUE)
  expect_true(all(c("PmechLow", "PmechHigh") %in% names(bands)))
  expect_true(all(bands$PmechLow <= bands$Pmech & bands$Pmech <= bands$PmechHigh))
  expect_false("PmechLow" %in% names(plain))
  expect_false(identical(power_curve(pigeon, curves = TRUE, uncertainty = "individual")$PmechHigh,
                         bands$PmechHigh))
})
