#!/bin/bash
# The adb commands of one operation of the main window, run bare from this
# shell N times against one phone, each run's time printed in microseconds:
# the yardstick of quoddle_bench_operation_speed. The clock is bash's own
# ($EPOCHREALTIME), read just around the adb commands, so neither the shell's
# start nor a clock program counts. What adb prints goes to /dev/null.
#
#   bare_operations.sh ADB SERIAL report|list|reboot COUNT
#
# The server port comes from ANDROID_ADB_SERVER_PORT, as for any adb.
set -eu
export LC_ALL=C
adb=$1 serial=$2 operation=$3 count=$4

report_first='getprop ro.product.model && getprop ro.build.version.release && getprop ro.baseband && getprop ro.build.description && getprop ro.build.id && getprop ro.bootloader && getprop ro.com.google.gmsversion && getprop ro.product.version'
report_second='getprop gsm.version.baseband && getprop gsm.sim.operator.alpha && getprop gsm.operator.alpha && getprop gsm.network.type'

for ((i = 0; i < count; i++)); do
    start=$EPOCHREALTIME
    case $operation in
    report)
        "$adb" -s "$serial" shell "$report_first" >/dev/null
        "$adb" -s "$serial" shell "$report_second" >/dev/null
        ;;
    list) "$adb" -s "$serial" shell pm list packages -f >/dev/null ;;
    reboot) "$adb" -s "$serial" reboot >/dev/null ;;
    *) echo "unknown operation $operation" >&2; exit 2 ;;
    esac
    end=$EPOCHREALTIME
    echo $((10#${end/./} - 10#${start/./}))
done
