# The reference birds through R give ornivo-cli's results value for value: one bird from its bird
# file, and the same bird as a one-row batch.

cases <- function() list.files(cases_dir, pattern = "^(pc|gp|mg)-[a-z0-9-]*[0-9]\\.json$", full.names = TRUE)

# A bird file's list as a one-row data.frame, its entries (repeated controls too) as columns in order.
as_batch <- function(bird) {
  structure(lapply(bird, function(v) if (is.null(v)) NA else v), class = "data.frame", row.names = 1L)
}

test_that("every reference case gives ornivo-cli's results and messages, or its refusal", {
  skip_without_reference()
  expect_length(cases(), 31)
  for (case in cases()) {
    name <- basename(case)
    calc <- calc_of(case)
    ref <- run_cli(calc, case)
    run <- calc_function(calc)
    if (ref$exit == 0) {
      row <- run(case)
      expected <- cli_scalars(ref$json$results)
      expect_gt(length(expected), 20)
      missing <- setdiff(names(expected), names(row))
      expect(length(missing) == 0, paste(name, "lacks", paste(missing, collapse = ", ")))
      for (key in intersect(names(expected), names(row)))
        expect_identical(row[[key]], expected[[key]], label = paste(name, key))
      expect_identical(attr(row, "messages"), as.character(unlist(ref$json$messages)), label = paste(name, "messages"))
      expect_identical(row$status, "ok")
    } else {
      expect_identical(ref$exit, 2L, label = paste(name, "exit status"))
      err <- expect_error(run(case), class = "ornivo_refusal", label = name)
      expect_identical(err$lines, ref$stderr, label = paste(name, "refusal"))
      expect_identical(conditionMessage(err), paste(ref$stderr, collapse = "\n"))
    }
  }
})

test_that("every reference case as a batch row gives the same results, or the refusal as its status", {
  skip_without_reference()
  for (case in cases()) {
    name <- basename(case)
    calc <- calc_of(case)
    run <- calc_function(calc)
    batch <- run(as_batch(read_bird(case)))
    expect_identical(nrow(batch), 1L)
    single <- tryCatch(run(case), ornivo_error = function(e) e)
    if (inherits(single, "ornivo_error")) {
      expect_identical(batch$status, single$status, label = paste(name, "status"))
      expect_true(is.na(batch[[3]]))
    } else {
      expect_identical(batch$status, "ok", label = paste(name, "status"))
      results <- setdiff(names(batch), c("SpName", "ShortName", "status"))
      for (key in results) {
        # A batch keeps flags and whole numbers in their column's kind.
        expected <- single[[key]]
        if (is.null(expected)) expected <- NA
        if (is.logical(batch[[key]])) expected <- as.logical(expected)
        else if (is.character(batch[[key]])) expected <- if (is.na(expected)) "" else expected
        else expected <- as.double(expected)
        expect_identical(batch[[key]], expected, label = paste(name, key))
      }
    }
  }
})
