#!/bin/sh
# Runs a Windows program under Wine in a throwaway 64-bit prefix, without the Mono and Gecko
# install prompts or Wine's debug output, and waits until Wine has finished with the prefix.
# Usage: run-in-wine.sh WINE WINESERVER PREFIX PROGRAM [ARGUMENTS...]
set -eu
wine=$1
wineserver=$2
prefix=$3
shift 3
export WINEPREFIX="$prefix" WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
status=0
"$wine" "$@" || status=$?
# The server lingers after the last program; waiting for it leaves nothing running.
"$wineserver" -w
exit "$status"
