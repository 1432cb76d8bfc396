\name{read_bird}
\alias{read_bird}
\title{A bird file as a list}
\description{
Reads a bird file (the JSON object \command{ornivo-cli} reads) as the named list of one bird.
}
\usage{
read_bird(file)
}
\arguments{
\item{file}{a bird file: Enter Bird values and an optional \code{"edits"} list of
\code{[control, value]} pairs.}
}
\value{
A named list of single values in the file's order, each edit an entry of its own after the keys
before it (\code{null} for an option button is a click, \code{TRUE}); \code{gps} and
\code{sites} relative to the file's folder made whole. The calculations take it, or the file's
path, as one bird.
}
