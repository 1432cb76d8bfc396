\name{wings}
\alias{wings}
\title{Wing measurements of a species}
\description{
The sample means of a species in the wings database.
}
\usage{
wings(genus, species, sex = "any", age = "any")
}
\arguments{
\item{genus, species}{the scientific name's parts.}
\item{sex}{\code{"M"}, \code{"F"} or \code{"any"}.}
\item{age}{\code{"A"} (adult), \code{"I"} (immature) or \code{"any"}.}
}
\value{
A one-row data.frame: \code{Genus}, \code{Species}, \code{Order}, \code{Family}, \code{found},
the means \code{Mass} (kg), \code{Span} (m), \code{Area} (sq m), \code{AspectRatio},
\code{MuscleFrac}, their sample counts (\code{Nmass}, ...) and \code{accepted}.
}
\examples{
wings("Anas", "platyrhynchos")
}
