#!/bin/sh

# SPDX-FileCopyrightText: 2026 gli autori di Quintara
#
# SPDX-License-Identifier: GPL-3.0-or-later

# A printer of the test's own: a CUPS server whose one printer, its default, is cups-pdf's (Debian
# package printer-driver-cups-pdf), which writes each job as a PDF file in DIR/printed. The
# server keeps everything in DIR and listens only on the socket DIR/cups.sock, so CUPS_SERVER=
# DIR/cups.sock points a program at it; cups-pdf reads its settings from /etc/cups alone, so the
# server runs in a mount namespace of its own where DIR/cups-pdf stands there. Nothing of the
# machine's own CUPS is read or changed. DIR/ready appears once the printer takes jobs; the server
# ends when the script is sent TERM.
#
# cups-pdf must run as root: for anyone else, and where cups-pdf or cupsd is not installed, the
# script says "skipped: ..." and exits with 77.
# DIR's path must be short enough for a socket's name (under 100 bytes).
# Usage: printer-of-our-own.sh DIR
set -eu

if [ $# -ne 1 ]; then
    echo "usage: $0 DIR" >&2
    exit 2
fi
if [ "$(id -u)" -ne 0 ]; then
    echo "skipped: cups-pdf, the printer of the test's own, runs only as root"
    exit 77
fi
# A Debian package may be built as root where no CUPS is installed: its tests then say so and
# skip (scripts/setup.sh --tests installs printer-driver-cups-pdf, which brings them).
for needed in /usr/sbin/cupsd /usr/lib/cups/backend/cups-pdf /usr/share/ppd/cups-pdf; do
    if [ ! -e "$needed" ]; then
        echo "skipped: $needed is missing (Debian package printer-driver-cups-pdf)"
        exit 77
    fi
done

dir=$(realpath "$1")
mkdir -p "$dir/etc/ppd" "$dir/spool" "$dir/tmp" "$dir/cache" "$dir/state" "$dir/log" \
    "$dir/cups-pdf" "$dir/cups-pdf-spool" "$dir/printed"
# The filters run as CUPS's own user, lp.
chmod 0711 "$dir"
chown root:lp "$dir/tmp" "$dir/spool"
chmod 0770 "$dir/tmp"
chmod 0710 "$dir/spool"

cat >"$dir/cupsd.conf" <<END
Listen $dir/cups.sock
LogLevel info
Browsing No
WebInterface No
DefaultAuthType None
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
END
cat >"$dir/cups-files.conf" <<END
ServerRoot $dir/etc
RequestRoot $dir/spool
TempDir $dir/tmp
CacheDir $dir/cache
StateDir $dir/state
Printcap $dir/state/printcap
ServerBin /usr/lib/cups
DataDir /usr/share/cups
AccessLog $dir/log/access_log
ErrorLog $dir/log/error_log
PageLog $dir/log/page_log
SystemGroup root
END
cp /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd "$dir/etc/ppd/Quintara_PDF.ppd"
cat >"$dir/etc/printers.conf" <<END
<DefaultPrinter Quintara_PDF>
Info The printer of a test of Quintara
DeviceURI cups-pdf:/
State Idle
Accepting Yes
Shared No
</DefaultPrinter>
END
cat >"$dir/cups-pdf/cups-pdf.conf" <<END
Out $dir/printed
AnonDirName $dir/printed
Spool $dir/cups-pdf-spool
Grp root
Log $dir/log
END
chmod -R go-w "$dir/etc" "$dir/cups-pdf" "$dir/cupsd.conf" "$dir/cups-files.conf"

unshare --mount --propagation private sh -c 'mount --bind "$1/cups-pdf" /etc/cups &&
    exec /usr/sbin/cupsd -f -c "$1/cupsd.conf" -s "$1/cups-files.conf"' sh "$dir" \
    >"$dir/log/cupsd.out" 2>&1 &
server=$!
trap 'kill -TERM "$server" 2>/dev/null || true; wait "$server" 2>/dev/null || true; exit 0' TERM INT

tries=0
until CUPS_SERVER="$dir/cups.sock" lpstat -d 2>/dev/null | grep -q Quintara_PDF; do
    if ! kill -0 "$server" 2>/dev/null || [ $tries -ge 300 ]; then
        echo "error: the printer's CUPS server did not start:" >&2
        cat "$dir/log/cupsd.out" "$dir/log/error_log" >&2 2>/dev/null || true
        kill -TERM "$server" 2>/dev/null || true
        exit 1
    fi
    tries=$((tries + 1))
    sleep 0.1
done
touch "$dir/ready"
wait "$server"
