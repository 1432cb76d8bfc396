\name{ornivo-package}
\alias{ornivo-package}
\alias{ornivo}
\docType{package}
\title{Ornivo: bird flight performance as data frames}
\description{
Ornivo's exact calculations of bird flight from R: power curves of flapping flight
(\code{\link{power_curve}}), glide polars (\code{\link{glide_polar}}) and migration flights
(\code{\link{migrate}}, \code{\link{migrate_gps}}), for one bird or for a data.frame of thousands;
the preset and user bird tables (\code{\link{presets}}, \code{\link{user_birds}}) and the wings
database (\code{\link{wings}}). Every function returns a data.frame.
}
\section{Birds}{
A bird is given by its Enter Bird values: \code{SpName}, \code{ShortName}, \code{EmptyMass} (kg),
\code{Span} (m), \code{WingArea} (sq m) or \code{AspectRatio}, \code{Altitude} (m) or
\code{AirDensity} (kg/cu m), \code{TaxonGroup} (1 passerine, 2 not), \code{Sex} (1 both, 2 male,
3 female, 4 unknown), \code{Age} (1 adult, 2 immature, 3 unknown); or by \code{Preset} (or
\code{User}): a record's number or name, which takes none of the other values. Migrations also
take \code{gps} (a track file) and \code{sites} (a stopover sites file). Setup controls follow by
their screen names (\code{txtFatFrac}, \code{optBound}, \code{frmSetDefaultsMigr.txtEfat}, ...),
applied in the order given through the program's own field rules, as \command{ornivo-cli} applies
a bird file's edits. An option button takes \code{TRUE} (a click).

One bird is a named list (or a named vector, a preset's number or name, or the path of a bird
file, see \code{\link{read_bird}}); the program's refusal of it is an error. Many birds are the
rows of a data.frame with these names as columns (the columns of \command{ornivo-cli batch}'s
CSV); each row gets a \code{status} instead, so a bad row never stops the others. \code{NA} is an
empty cell: it sets nothing.
}
\section{Errors}{
Errors carry the program's message line by line: class \code{ornivo_refusal} when the program
refused the bird or the run (its screen's message), \code{ornivo_input_error} for an input it
cannot read (an unknown key or control, a value that is not a number), both \code{ornivo_error},
with fields \code{lines} and \code{status}. A misspelt column of a batch is an
\code{ornivo_input_error} before any bird runs.
}
\section{Shipped files}{
The package reads the bird tables and templates of the Ornivo build it was installed from (its
programs' folder, \file{build/bin}); set the environment variable \env{ORNIVO_PROGRAM_DIR} before
loading it to use another programs' folder (an installed Ornivo: \file{PREFIX/bin}).
}
\examples{
birds <- presets()
speeds <- power_curve(birds[, "Preset", drop = FALSE])
head(speeds[, c("ShortName", "Vmp", "Vmr", "status")])
}
\keyword{package}
