#!/usr/bin/env bash
# The dimension points example end to end: `tarvo run --strict` of examples/dimpoints.script
# succeeds and its transcript is examples/dimpoints.transcript line for line.
source "$(dirname "$0")/lib/example_run.sh"

run_example dimpoints
