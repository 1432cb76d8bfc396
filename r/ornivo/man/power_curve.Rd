\name{power_curve}
\alias{power_curve}
\alias{glide_polar}
\alias{migrate}
\title{Power curves, glide polars and migrations of one bird or many}
\description{
The power curve of flapping flight, the glide polar or a programmed migration (climb, cruise,
final glide) of one bird, or of every row of a data.frame of birds.
}
\usage{
power_curve(birds, ..., curves = FALSE, uncertainty = FALSE, strict = FALSE, threads = 0L)
glide_polar(birds, ..., curves = FALSE, strict = FALSE, threads = 0L)
migrate(birds, ..., curves = FALSE, strict = FALSE, threads = 0L)
}
\arguments{
\item{birds}{a data.frame with a row per bird and bird keys and setup controls as columns; or one
bird: a named list, a preset's number or name, or a bird file (see \link{ornivo-package}).}
\item{...}{setup controls by name, applied to every bird after its own values:
\code{txtFatFrac = 0.2}, \code{optBound = TRUE}, \code{`frmSetDefaultsMigr.txtEfat` = 3.9e7}.
A batch also takes a vector with a value per row.}
\item{curves}{\code{TRUE} for the long table of the calculation instead of a row per bird:
the power curve (\code{"curve"}), the polar (\code{"polar"}), the migration's output rows
(\code{"rows"}); or the name of a table (\code{"crosscountry"} for the glide polar's cross-country
table, \code{"stops"} for a GPS run's stops).}
\item{uncertainty}{\code{TRUE} adds the uncertainty bands of the wild-population set to the power
curve; or the name of a set: \code{"wild"}, \code{"individual"} or \code{"zero"}.}
\item{strict}{any message shown by an edit or by the run refuses the bird.}
\item{threads}{worker threads of a batch (0: one per core).}
}
\value{
With \code{curves = FALSE}, a data.frame with a row per bird (the row names of \code{birds}):
\code{SpName}, \code{ShortName} (as given, else those of the preset or user record), the scalar
results and \code{status}. A batch has the columns of \command{ornivo-cli batch}: for power curves
\code{VmpExact}, \code{VmrExact}, \code{Vmp}, \code{Vmr} (m/s), \code{PmechMin}, \code{PchemMin}
(W), \code{MaxClimb} (m/s) and more; for glide polars \code{Vstall}, \code{Vms}, \code{MinSink},
\code{Vbg}, \code{BestGlideRatio} and more; for migrations \code{Arrived}, \code{Distance} (km),
\code{HoursFlown} and more. \code{status} is \code{"ok"}, the refusal's text, or
\code{"unreadable: "} and why the row could not be read; such rows hold \code{NA}. One bird's row
has every scalar result of the run (as \command{ornivo-cli}'s JSON \code{"results"}, an object's
entries as \code{name.key}) and attributes \code{messages} (shown during the run), \code{inputs}
and \code{tables} (its tables as data.frames); a refusal is an error instead.

With \code{curves}, the long table: a first column \code{bird} (the row's name when
\code{birds} names its rows, else its number; for one bird its short or scientific name), then a
row per speed (power curve: \code{Speed}, \code{EAS}, \code{Pmech}, \code{Pchem},
\code{EffLDChem}, \code{MyoSpecificPower}, \code{SpecificWork}, \code{ClimbRate}, with the
uncertainty \code{PmechLow}, \code{PmechHigh}, \code{PmechUncert}, \code{PmechUncertPct}; polar:
\code{Speed}, \code{SpanRatio}, \code{Sink}, \code{GlideRatio}) or per output row of a
migration. Birds that were not run have no rows; the row per bird is the attribute
\code{birds}. Columns' units are in the attribute \code{units}.
}
\examples{
pigeon <- list(SpName = "Columba livia", ShortName = "Pigeon", EmptyMass = 0.35, Span = 0.67,
               WingArea = 0.063, Altitude = 0)
power_curve(pigeon, txtFatFrac = 0.1)[, c("Vmp", "Vmr", "PmechMin")]
curve <- power_curve(pigeon, curves = TRUE)
plot(Pmech ~ Speed, data = curve, type = "l")

birds <- data.frame(SpName = c("Columba livia", "Anas platyrhynchos"), EmptyMass = c(0.35, 1),
                    Span = c(0.67, 0.9), WingArea = c(0.063, 0.1), Altitude = 0)
power_curve(birds)
glide_polar(birds)[, c("SpName", "Vms", "MinSink", "BestGlideRatio")]
migrate(birds, txtFatFrac = 0.3)[, c("SpName", "Distance", "HoursFlown", "status")]
}
