#!/bin/sh
# How ctest runs a Windows test program: under Wine, in the build's private
# prefix, quietly. Usage: wine-run.sh PREFIX WINE PROGRAM [ARGS...]
#
# Standard error goes to PREFIX/../wine-stderr.log, not to ctest: every Wine
# process passes its standard error on to the processes it starts, and a
# console host whose process was ended by TerminateProcess can outlive it,
# which kept ctest waiting on the test's output pipe until the server ended.
# GoogleTest reports on standard output, which ctest still gets.
prefix=$1 wine=$2
shift 2
WINEPREFIX=$prefix WINEDEBUG=-all exec "$wine" "$@" 2>>"$prefix/../wine-stderr.log"
