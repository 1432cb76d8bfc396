library(testthat)
library(ornivo)

test_check("ornivo")
