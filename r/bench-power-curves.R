# Times the power curves of many birds from a data.frame (scalars only, a row per bird).
#   R_LIBS=build/r-lib Rscript r/bench-power-curves.R [N] [THREADS]
library(ornivo)
args <- as.integer(commandArgs(TRUE))
n <- if (length(args) >= 1 && !is.na(args[1])) args[1] else 100000L
threads <- if (length(args) >= 2 && !is.na(args[2])) args[2] else 0L
# Birds from 10 g to 5 kg with wings of the usual allometry.
set.seed(1)
mass <- exp(runif(n, log(0.01), log(5)))
birds <- data.frame(SpName = "Avis", EmptyMass = mass, Span = 1.17 * mass^0.39,
                    WingArea = 0.16 * mass^0.72, Altitude = 0, TaxonGroup = 2L)
time <- system.time(out <- power_curve(birds, threads = threads))[["elapsed"]]
cat(sprintf("%d power curves in %.2f s (%.1f us a bird, %d threads), %d ok\n", n, time, 1e6 * time / n,
            if (threads > 0) threads else parallel::detectCores(), sum(out$status == "ok")))
