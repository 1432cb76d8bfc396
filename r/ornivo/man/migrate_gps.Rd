\name{migrate_gps}
\alias{migrate_gps}
\title{A migration along a GPS track}
\description{
The migration of one bird along a GPS track with its stops, feeding at stopover sites.
}
\usage{
migrate_gps(bird, track, sites = NULL, ..., curves = FALSE, strict = FALSE)
}
\arguments{
\item{bird}{one bird: a named list, a preset's number or name, or a bird file.}
\item{track}{a track file (.xlsx, .xls or .csv as \code{\link{import_track}} and the program
write them), or the data.frame \code{import_track} returns.}
\item{sites}{a stopover sites file, or \code{NULL}.}
\item{...}{setup controls, as for \code{\link{migrate}}.}
\item{curves}{\code{TRUE} (or \code{"rows"}) for the table of output rows (\code{Kind}
\code{"flight"}, \code{"stop"} or \code{"end"}, times, distances, masses, powers, altitude, air
density); \code{"stops"} for the stops (\code{Row}, \code{Start}, \code{End}, \code{Lat},
\code{Lon}, \code{Site}, \code{FeedQ}, \code{Hours}, \code{FatChange} and \code{ProteinChange} in
kg, \code{Note}).}
\item{strict}{any message shown by an edit or by the run refuses the bird.}
}
\value{
A one-row data.frame of the run's results (as \code{\link{migrate}}'s for one bird, with the
tables \code{rows} and \code{stops} in its attribute \code{tables}), or the table asked for by
\code{curves}. A refusal (a track with a bad value, say) is an error.
}
\examples{
\dontrun{
stork <- list(SpName = "Ciconia ciconia", ShortName = "White Stork", EmptyMass = 3.4, Span = 2.1,
              WingArea = 0.5, Altitude = 500, txtFatFrac = 0.15)
track <- import_track("fixes.csv", grid = 15)
migrate_gps(stork, track, sites = "sites.txt", curves = "stops")
}
}
