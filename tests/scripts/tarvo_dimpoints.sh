#!/usr/bin/env bash
# The dimension points example prints examples/dimpoints.transcript (see lib/example_run.sh).
source "$(dirname "$0")/lib/example_run.sh"

run_example dimpoints
