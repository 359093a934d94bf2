#!/bin/bash
# A short run of scripts/crash-consistency.sh: oxitool download killed at three moments of
# a one-measurement download, each followed by a complete run. The 30-kill run of the demo
# monitor and its figures are in docs/ROBUSTNESS.md.
BUILD_DIR=$OXI_BINARY_DIR exec bash "$OXI_SOURCE_DIR/scripts/crash-consistency.sh" 3 1
