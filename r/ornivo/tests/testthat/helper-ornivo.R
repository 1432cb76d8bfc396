# The reference cases and ornivo-cli come from the build that runs the tests (CTest sets these).
cli <- Sys.getenv("ORNIVO_CLI")
tests_dir <- Sys.getenv("ORNIVO_TESTS_DIR")
cases_dir <- file.path(tests_dir, "data", "reference", "cases")

skip_without_reference <- function() {
  skip_if(!nzchar(cli) || !file.exists(cli), "ORNIVO_CLI names no ornivo-cli")
  skip_if(!dir.exists(cases_dir), "ORNIVO_TESTS_DIR names no tests folder")
}

calc_of <- function(case) c(pc = "power-curve", gp = "glide-polar", mg = "migrate")[[sub("-.*", "", basename(case))]]

calc_function <- function(calc) {
  switch(calc, "power-curve" = power_curve, "glide-polar" = glide_polar, "migrate" = migrate)
}

# ornivo-cli's call on a bird file: its exit status, JSON output and standard error lines.
run_cli <- function(calc, case) {
  err <- tempfile()
  on.exit(unlink(err))
  out <- suppressWarnings(system2(cli, c(calc, shQuote(case)), stdout = TRUE, stderr = err))
  status <- attr(out, "status")
  list(exit = if (is.null(status)) 0L else status,
       json = if (length(out)) jsonlite::fromJSON(paste(out, collapse = "\n"), simplifyVector = FALSE) else NULL,
       stderr = readLines(err, warn = FALSE))
}

# The scalar results of ornivo-cli's JSON as the package names them: an object's entries as
# name.key, a list of texts joined by line ends; tables and lists of records left out.
cli_scalars <- function(results, prefix = "") {
  out <- list()
  for (key in names(results)) {
    v <- results[[key]]
    name <- paste0(prefix, key)
    if (is.list(v) && !is.null(names(v))) {
      out <- c(out, cli_scalars(v, paste0(name, ".")))
    } else if (is.list(v)) {
      if (length(v) && all(vapply(v, is.character, logical(1)))) out[[name]] <- paste(unlist(v), collapse = "\n")
    } else {
      out[[name]] <- if (is.null(v)) NA else v
    }
  }
  out
}
