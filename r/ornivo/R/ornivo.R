# Ornivo's calculations from R. A bird is a named list of bird keys and setup controls (one bird,
# whose refusal is an error) or a row of a data.frame (a batch, where each row gets a status and a
# bad row never stops the others). Values go to the library in the order given and pass through the
# program's own field rules, as ornivo-cli applies a bird file.

.onLoad <- function(libname, pkgname) {
  # The shipped files (Data/, XLTemplates/) are found below or beside the programs' folder: the
  # one written when the package was installed, unless ORNIVO_PROGRAM_DIR names another.
  dir <- Sys.getenv("ORNIVO_PROGRAM_DIR")
  .Call(ornivo_set_program_folder, if (nzchar(dir)) dir else .program_dir)
}

# The table a calculation's `curves = TRUE` gives.
.main_table <- c("power-curve" = "curve", "glide-polar" = "polar", "migrate" = "rows")

# An error carrying the program's message: class ornivo_refusal (the program refused the bird or
# the run) or ornivo_input_error (an input it cannot read), both ornivo_error; `lines` holds the
# message line by line, `status` the short form a batch row would get.
.ornivo_error <- function(status, lines, call = NULL) {
  kind <- if (startsWith(status, "unreadable")) "ornivo_input_error" else "ornivo_refusal"
  structure(class = c(kind, "ornivo_error", "error", "condition"),
            list(message = if (length(lines)) paste(lines, collapse = "\n") else status,
                 call = call, status = status, lines = lines))
}

.input_error <- function(...) {
  why <- paste0(...)
  stop(.ornivo_error(paste("unreadable:", why), why))
}

.check <- function(raw, call) {
  if (!isTRUE(raw$ok)) stop(.ornivo_error(raw$status, raw$refusal, call))
  raw
}

.is_option <- function(names) startsWith(sub(".*\\.", "", names), "opt")

# A value the library takes: numbers, flags and texts as they are, factors and other classes (a
# Date, say) as their texts.
.plain <- function(x) {
  if (is.factor(x) || (is.object(x) && !is.numeric(x) && !is.logical(x))) return(as.character(x))
  if (is.numeric(x) || is.logical(x) || is.character(x)) return(as.vector(x))
  .input_error("a bird's values must be numbers, flags or texts, not ", class(x)[1])
}

# One bird as a named list of single values, in order: a list or named vector as it is, a number
# or a name a preset record, a path ending in .json a bird file.
.bird_list <- function(bird) {
  if (is.data.frame(bird)) .input_error("one bird is a list; a data.frame is a batch")
  if (is.null(bird)) return(list())
  if (is.atomic(bird) && length(bird) == 1 && is.null(names(bird))) {
    if (is.character(bird) && grepl("\\.json$", bird, ignore.case = TRUE) && file.exists(bird))
      return(read_bird(bird))
    if (is.character(bird) || is.numeric(bird)) return(list(Preset = bird))
  }
  if (is.atomic(bird)) bird <- as.list(bird)
  if (!is.list(bird) || (length(bird) && (is.null(names(bird)) || any(!nzchar(names(bird))))))
    .input_error("a bird is a named list of bird keys and setup controls, a preset's number or name, ",
                 "or a bird file")
  bird
}

# A list of values as the library's fields: each a single value; NULL an option button's click or
# else nothing; NA nothing.
.fields <- function(values) {
  nm <- names(values)
  for (i in seq_along(values)) {
    v <- values[[i]]
    if (is.null(v)) {
      values[i] <- list(if (.is_option(nm[i])) TRUE else NA)
    } else {
      if (length(v) != 1) .input_error(nm[i], " takes a single value, not ", length(v))
      values[[i]] <- .plain(v)
    }
  }
  values
}

.settings <- function(...) {
  s <- list(...)
  if (length(s) && (is.null(names(s)) || any(!nzchar(names(s)))))
    .input_error("settings are named: a setup control = its value")
  s
}

# The uncertainty argument as fields: a set's name ("wild", "individual", "zero") is the bird's
# "uncertainty" key; TRUE asks for the wild-population bands through the call's option.
.uncertainty_fields <- function(uncertainty) {
  if (is.character(uncertainty)) return(list(uncertainty = uncertainty))
  if (!is.logical(uncertainty) || length(uncertainty) != 1 || is.na(uncertainty))
    .input_error("uncertainty is TRUE, FALSE or a set's name: \"wild\", \"individual\" or \"zero\"")
  list()
}

.table_name <- function(calc, curves) {
  if (isFALSE(curves) || is.null(curves)) return(NULL)
  if (isTRUE(curves)) return(.main_table[[calc]])
  if (is.character(curves) && length(curves) == 1) return(curves)
  .input_error("curves is TRUE, FALSE or a table's name")
}

.frame <- function(columns) {
  structure(columns, row.names = c(NA_integer_, -length(columns[[1]])), class = "data.frame")
}

# A single call's result as a one-row data.frame: SpName, ShortName, every scalar result, status;
# the run's messages, inputs and tables as attributes.
.result_row <- function(raw) {
  row <- .frame(c(list(SpName = raw$SpName, ShortName = raw$ShortName), raw$scalars, list(status = raw$status)))
  attr(row, "messages") <- raw$messages
  attr(row, "inputs") <- raw$inputs
  attr(row, "tables") <- raw$tables
  row
}

# A table of one bird's run, with a first column naming the bird and its result row as attribute.
.bird_table <- function(raw, name) {
  table <- raw$tables[[name]]
  if (is.null(table)) .input_error("no table ", name, " (tables: ", paste(names(raw$tables), collapse = ", "), ")")
  label <- if (nzchar(raw$ShortName)) raw$ShortName else raw$SpName
  out <- .frame(c(list(bird = rep(label, nrow(table))), table))
  attr(out, "units") <- c(bird = "", attr(table, "units"))
  attr(out, "birds") <- .result_row(raw)
  out
}

.single <- function(calc, bird, settings, curves, uncertainty, strict, call) {
  values <- .fields(c(.bird_list(bird), settings, .uncertainty_fields(uncertainty)))
  raw <- .check(.Call(ornivo_run, calc, names(values), unname(values), isTRUE(uncertainty), isTRUE(strict)), call)
  table <- .table_name(calc, curves)
  if (is.null(table)) .result_row(raw) else .bird_table(raw, table)
}

# The birds of a batch as columns: the data.frame's, then the settings' (recycled), in that order.
.batch_columns <- function(birds, settings) {
  n <- nrow(birds)
  columns <- c(as.list(birds), settings)
  for (i in seq_along(columns)) {
    v <- columns[[i]]
    name <- names(columns)[i]
    if (is.null(v)) v <- if (.is_option(name)) TRUE else NA  # as for one bird: NULL clicks an option button
    if (!(length(v) %in% c(1L, n))) .input_error(name, " has ", length(v), " values for ", n, " birds")
    if (is.list(v)) .input_error("column ", name, " is a list; give numbers, flags or texts")
    v <- .plain(v)
    columns[[i]] <- if (length(v) == n) v else rep(v, n)
  }
  columns
}

.batch <- function(calc, birds, settings, curves, uncertainty, strict, threads) {
  columns <- .batch_columns(birds, c(settings, .uncertainty_fields(uncertainty)))
  problem <- .Call(ornivo_check_columns, names(columns))
  if (nzchar(problem)) .input_error(problem)
  n <- nrow(birds)
  threads <- as.integer(threads)
  table <- .table_name(calc, curves)
  given_names <- .row_names_info(birds) > 0
  if (is.null(table)) {
    out <- .Call(ornivo_run_batch, calc, names(columns), unname(columns), n, isTRUE(uncertainty), isTRUE(strict),
                 threads)
    if (given_names) attr(out, "row.names") <- attr(birds, "row.names")
    return(out)
  }
  both <- .Call(ornivo_run_tables, calc, names(columns), unname(columns), n, table, isTRUE(uncertainty),
                isTRUE(strict), threads)
  long <- both$table
  # The bird column: the row's name when the data.frame names its rows, else its number.
  if (given_names) {
    labels <- attr(birds, "row.names")
    long$bird <- labels[long$bird]
    attr(both$birds, "row.names") <- labels
  }
  attr(long, "birds") <- both$birds
  long
}

.calculation <- function(calc, birds, settings, curves, uncertainty, strict, threads, call) {
  if (is.data.frame(birds)) .batch(calc, birds, settings, curves, uncertainty, strict, threads)
  else .single(calc, birds, settings, curves, uncertainty, strict, call)
}

power_curve <- function(birds, ..., curves = FALSE, uncertainty = FALSE, strict = FALSE, threads = 0L) {
  .calculation("power-curve", birds, .settings(...), curves, uncertainty, strict, threads, sys.call())
}

glide_polar <- function(birds, ..., curves = FALSE, strict = FALSE, threads = 0L) {
  .calculation("glide-polar", birds, .settings(...), curves, FALSE, strict, threads, sys.call())
}

migrate <- function(birds, ..., curves = FALSE, strict = FALSE, threads = 0L) {
  .calculation("migrate", birds, .settings(...), curves, FALSE, strict, threads, sys.call())
}

power_at_speeds <- function(bird, speeds, ..., strict = FALSE) {
  values <- .fields(c(.bird_list(bird), .settings(...)))
  if (!is.numeric(speeds)) .input_error("speeds are numbers (m/s)")
  raw <- .check(.Call(ornivo_power_at_speeds, names(values), unname(values), as.double(speeds), isTRUE(strict)),
                sys.call())
  .bird_table(raw, "speeds")
}

migrate_gps <- function(bird, track, sites = NULL, ..., curves = FALSE, strict = FALSE) {
  values <- .fields(c(.bird_list(bird), .settings(...)))
  rows <- NULL
  file <- ""
  if (is.data.frame(track)) rows <- track
  else if (is.character(track) && length(track) == 1 && !is.na(track)) file <- path.expand(track)
  else .input_error("track is a track file or the data.frame import_track gives")
  sites <- if (is.null(sites)) "" else path.expand(as.character(sites))
  raw <- .check(.Call(ornivo_migrate_gps, names(values), unname(values), file, rows, sites, isTRUE(strict)),
                sys.call())
  table <- .table_name("migrate", curves)
  if (is.null(table)) .result_row(raw) else .bird_table(raw, table)
}

import_track <- function(file, ...) {
  options <- .fields(.settings(...))
  raw <- .check(.Call(ornivo_import_track, path.expand(file), names(options), unname(options)), sys.call())
  track <- raw$tables$track
  attr(track, "summary") <- raw$scalars
  attr(track, "messages") <- raw$messages
  track
}

presets <- function() .check(.Call(ornivo_presets), sys.call())$tables$presets

user_birds <- function() .check(.Call(ornivo_user_birds), sys.call())$tables$user

wings <- function(genus, species, sex = "any", age = "any") {
  raw <- .check(.Call(ornivo_wings, as.character(genus), as.character(species), as.character(sex),
                      as.character(age)), sys.call())
  .frame(raw$scalars)
}

read_bird <- function(file) .Call(ornivo_read_bird, path.expand(file))
