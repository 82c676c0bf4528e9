#!/usr/bin/env bash
# A private MariaDB server for the tests, in a temporary folder of its own; the system's own
# database service is never touched.
#
#   eval "$(scripts/datenbankserver.sh start)"   starts it and prints the variables for the tests
#   scripts/datenbankserver.sh stop [folder]      stops it and removes its folder
#
# The tests find the server through AKT_MARIADB_SOCKET, AKT_MARIADB_PORT (127.0.0.1),
# AKT_MARIADB_BENUTZER, AKT_MARIADB_PASSWORT and AKT_MARIADB_PRAEFIX: the account may create and
# drop only databases whose names start with that prefix. AKT_MARIADB_ORDNER names the folder.
set -euo pipefail

benutzer=aktest
passwort=aktest-$$-$RANDOM
praefix=aktest_

melde() { echo "datenbankserver: $*" >&2; }

starte() {
  local ordner port konto=()
  ordner=$(mktemp -d /tmp/aktualisierer-mariadb.XXXXXX)
  # The server refuses to run as root; it runs as the package's own account then.
  if [ "$(id -u)" -eq 0 ]; then
    konto=(--user=mysql)
    chown mysql: "$ordner"
  fi
  port=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')

  if ! mariadb-install-db --no-defaults "${konto[@]}" --datadir="$ordner/daten" \
       --auth-root-authentication-method=normal --skip-test-db > "$ordner/einrichtung.log" 2>&1; then
    cat "$ordner/einrichtung.log" >&2
    melde "the data folder could not be made"
    rm -rf "$ordner"
    return 1
  fi
  mariadbd --no-defaults "${konto[@]}" --datadir="$ordner/daten" --socket="$ordner/socket" \
    --pid-file="$ordner/pid" --port="$port" --bind-address=127.0.0.1 --log-error="$ordner/fehler.log" \
    --skip-log-bin --innodb-buffer-pool-size=32M --character-set-server=utf8mb4 \
    > /dev/null 2>&1 &

  local i
  for ((i = 0; i < 120; i++)); do
    mariadb-admin --no-defaults --socket="$ordner/socket" -uroot ping > /dev/null 2>&1 && break
    sleep 0.5
  done
  if ! mariadb-admin --no-defaults --socket="$ordner/socket" -uroot ping > /dev/null 2>&1; then
    cat "$ordner/fehler.log" >&2 || true
    melde "the server did not answer within 60 s"
    stoppe "$ordner"
    return 1
  fi

  mariadb --no-defaults --socket="$ordner/socket" -uroot <<SQL
CREATE USER '$benutzer'@'localhost' IDENTIFIED BY '$passwort';
CREATE USER '$benutzer'@'127.0.0.1' IDENTIFIED BY '$passwort';
GRANT ALL PRIVILEGES ON \`${praefix//_/\\_}%\`.* TO '$benutzer'@'localhost';
GRANT ALL PRIVILEGES ON \`${praefix//_/\\_}%\`.* TO '$benutzer'@'127.0.0.1';
SQL
  # Anyone may reach the socket (the tests need not run as the server's account).
  chmod 755 "$ordner"

  echo "export AKT_MARIADB_ORDNER='$ordner'"
  echo "export AKT_MARIADB_SOCKET='$ordner/socket'"
  echo "export AKT_MARIADB_PORT='$port'"
  echo "export AKT_MARIADB_BENUTZER='$benutzer'"
  echo "export AKT_MARIADB_PASSWORT='$passwort'"
  echo "export AKT_MARIADB_PRAEFIX='$praefix'"
  melde "running on 127.0.0.1:$port and $ordner/socket"
}

stoppe() {
  local ordner=${1:-${AKT_MARIADB_ORDNER:-}}
  [ -n "$ordner" ] && [ -d "$ordner" ] || return 0
  if [ -f "$ordner/pid" ]; then
    local pid
    pid=$(cat "$ordner/pid")
    kill "$pid" 2> /dev/null || true
    local i
    for ((i = 0; i < 60; i++)); do
      kill -0 "$pid" 2> /dev/null || break
      sleep 0.5
    done
    kill -9 "$pid" 2> /dev/null || true
  fi
  rm -rf "$ordner"
}

case "${1:-}" in
  start) starte ;;
  stop) stoppe "${2:-}" ;;
  *) echo "usage: $0 start | stop [folder]" >&2; exit 2 ;;
esac
