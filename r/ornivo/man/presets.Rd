\name{presets}
\alias{presets}
\alias{user_birds}
\title{The preset and user bird tables}
\description{
The records of the preset bird table shipped with Ornivo, and of your own user table
(\file{~/.local/share/Ornivo}).
}
\usage{
presets()
user_birds()
}
\value{
A data.frame with a row per record, in the order the table's screen lists them. \code{Preset}
(\code{User}) holds the record's number, which names it in a call: \code{power_curve(57)}, or a
\code{Preset} column of a batch.
}
\examples{
birds <- presets()
head(birds)
results <- power_curve(birds[, "Preset", drop = FALSE])
head(results[, c("ShortName", "Vmp", "Vmr")])
}
