\name{import_track}
\alias{import_track}
\title{Raw GPS fixes to the track of a GPS run}
\description{
Reads raw fixes (a Movebank CSV or a GPX file) and makes the track a GPS run follows: the fixes on
a time grid, with air speeds and the stops.
}
\usage{
import_track(file, ...)
}
\arguments{
\item{file}{a Movebank CSV or a GPX file.}
\item{...}{options: \code{grid} (minutes), \code{animal}, \code{start} and \code{end}
(\code{"YYYY-MM-DD HH:MM"}, UTC), \code{windFrom}, \code{windSpeed}, \code{maxSpeed},
\code{groundSpeed}, \code{groundSegSpeed}, \code{groundTagMax}, \code{stopFixes},
\code{stopGapHours}.}
}
\value{
A data.frame with a row per track point and the track workbook's columns (units in the attribute
\code{units}); the import summary's counts in the attribute \code{summary} (a list:
\code{fixesRead}, \code{kept}, \code{trackPoints}, \code{stops}, ...) and its lines in
\code{messages}. It goes to \code{\link{migrate_gps}} as it is. A file that cannot be read is an
error.
}
