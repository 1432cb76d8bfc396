\name{power_at_speeds}
\alias{power_at_speeds}
\title{The power curve's quantities at any speeds}
\description{
The mechanical and chemical power and the other quantities of the power curve at any air speeds,
after the power curve of the bird.
}
\usage{
power_at_speeds(bird, speeds, ..., strict = FALSE)
}
\arguments{
\item{bird}{one bird: a named list, a preset's number or name, or a bird file.}
\item{speeds}{air speeds in m/s.}
\item{...}{setup controls, as for \code{\link{power_curve}}.}
\item{strict}{any message shown by an edit or by the run refuses the bird.}
}
\value{
A data.frame with a row per speed: \code{bird}, \code{Speed}, \code{EAS} (m/s), \code{Pmech},
\code{Pchem} (W), \code{EffLD}, \code{EffLDChem}, \code{MyoSpecificPower} (W/kg),
\code{SpecificWork} (J/kg), \code{ClimbRate} (m/s), \code{InducedVelocity} (m/s),
\code{DownwashAngle} (deg); \code{NA} at a speed that is not above 0. The power curve's row (as
\code{power_curve}'s) is the attribute \code{birds}. A refusal is an error.
}
\examples{
pigeon <- list(SpName = "Columba livia", EmptyMass = 0.35, Span = 0.67, WingArea = 0.063, Altitude = 0)
power_at_speeds(pigeon, c(5, 7.5, 10, 12.5))
}
