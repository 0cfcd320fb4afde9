#!/usr/bin/env bash
# make run: shows the demo configuration with the settings inspector.
# (Starting the tool itself under Wine arrives with the main window.)
set -e
win_bin=$1 native_bin=$2
demo=$(cd "$(dirname "$0")/.." && pwd)/build/demo-data
if [ -x "$native_bin/zavocfg" ]; then
  "$native_bin/zavocfg" show --data "$demo"
fi
