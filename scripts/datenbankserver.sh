#!/usr/bin/env bash
# A private MariaDB or PostgreSQL server for the tests, in a temporary folder of its own; the
# system's own database services are never touched.
#
#   eval "$(scripts/datenbankserver.sh start)"            starts MariaDB, prints the test variables
#   eval "$(scripts/datenbankserver.sh start postgres)"   the same for PostgreSQL
#   scripts/datenbankserver.sh stop [folder]               stops a server and removes its folder
#   scripts/datenbankserver.sh restart <folder>            stops a server and starts it again on its port
#                                                          (its sessions end, as at a server's update)
#
# The tests find MariaDB through AKT_MARIADB_SOCKET, AKT_MARIADB_PORT (127.0.0.1),
# AKT_MARIADB_BENUTZER, AKT_MARIADB_PASSWORT and AKT_MARIADB_PRAEFIX: the account may create and
# drop only databases whose names start with that prefix. AKT_MARIADB_ORDNER names the folder.
# PostgreSQL: AKT_PG_PORT (127.0.0.1), AKT_PG_BENUTZER, AKT_PG_PASSWORT, AKT_PG_PRAEFIX and
# AKT_PG_ORDNER; its account may create databases and is no superuser.
#
# MariaDB runs without strict mode, as many servers do: a value it cannot store is refused only
# because the program sets its own session up strictly. Neither server's administrator can log on over TCP: MariaDB's root and PostgreSQL's superuser are
# reached only through the socket, as the system account that runs the script. The socket lies in
# the server's folder, which only the server's account (and root) may enter.
set -euo pipefail

benutzer=aktest
praefix=aktest_

melde() { echo "datenbankserver: $*" >&2; }

# 128 random bits: the accounts are open to every local user over TCP, who could otherwise guess
# a password made of the process id within seconds. Hexadecimal digits need no quoting in SQL.
passwort=$(od -An -tx1 -N16 /dev/urandom | tr -d ' \n')
if [ "${#passwort}" -ne 32 ]; then
  melde "no random password from /dev/urandom"
  exit 1
fi

freier_port() {
  python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])'
}

# A folder for a server that runs as `$1` (when the script runs as root) or as the caller.
neuer_ordner() {
  local ordner
  ordner=$(mktemp -d "/tmp/aktualisierer-$2.XXXXXX")
  chmod 700 "$ordner"
  if [ "$(id -u)" -eq 0 ]; then
    chown "$1:" "$ordner"
  fi
  echo "$ordner"
}

# Runs the MariaDB server of the folder on its port and waits until it answers.
starte_mariadbd() {
  local ordner=$1 konto=() i
  if [ "$(id -u)" -eq 0 ]; then
    konto=(--user=mysql)
  fi
  mariadbd --no-defaults "${konto[@]}" --datadir="$ordner/daten" --tmpdir="$ordner/tmp" --socket="$ordner/socket" \
    --pid-file="$ordner/pid" --port="$(cat "$ordner/port")" --bind-address=127.0.0.1 --log-error="$ordner/fehler.log" \
    --skip-log-bin --innodb-buffer-pool-size=32M --character-set-server=utf8mb4 \
    --sql-mode=NO_ENGINE_SUBSTITUTION \
    > /dev/null 2>&1 &
  for ((i = 0; i < 120; i++)); do
    mariadb-admin --no-defaults --socket="$ordner/socket" -u"$(id -un)" ping > /dev/null 2>&1 && return 0
    sleep 0.5
  done
  cat "$ordner/fehler.log" >&2 || true
  melde "the server did not answer within 60 s"
  return 1
}

starte() {
  local ordner port konto=() admin
  # The server refuses to run as root; it runs as the package's own account then.
  ordner=$(neuer_ordner mysql mariadb)
  if [ "$(id -u)" -eq 0 ]; then
    konto=(--user=mysql)
  fi
  # The caller's system account reaches the server as its administrator, by the socket only.
  admin=$(id -un)
  port=$(freier_port)
  # A temporary folder of its own: a server starting up clears every "#sql*" file in its
  # temporary folder, also those of another server setting itself up in the shared /tmp.
  mkdir "$ordner/tmp"
  if [ "$(id -u)" -eq 0 ]; then
    chown mysql: "$ordner/tmp"
  fi

  if ! mariadb-install-db --no-defaults "${konto[@]}" --datadir="$ordner/daten" --tmpdir="$ordner/tmp" \
       --auth-root-authentication-method=socket --auth-root-socket-user="$admin" \
       --skip-test-db > "$ordner/einrichtung.log" 2>&1; then
    cat "$ordner/einrichtung.log" >&2
    melde "the data folder could not be made"
    rm -rf "$ordner"
    return 1
  fi
  echo "$port" > "$ordner/port"
  if ! starte_mariadbd "$ordner"; then
    stoppe "$ordner"
    return 1
  fi

  mariadb --no-defaults --socket="$ordner/socket" -u"$admin" <<SQL
CREATE USER '$benutzer'@'localhost' IDENTIFIED BY '$passwort';
CREATE USER '$benutzer'@'127.0.0.1' IDENTIFIED BY '$passwort';
GRANT ALL PRIVILEGES ON \`${praefix//_/\\_}%\`.* TO '$benutzer'@'localhost';
GRANT ALL PRIVILEGES ON \`${praefix//_/\\_}%\`.* TO '$benutzer'@'127.0.0.1';
SQL

  echo "export AKT_MARIADB_ORDNER='$ordner'"
  echo "export AKT_MARIADB_SOCKET='$ordner/socket'"
  echo "export AKT_MARIADB_PORT='$port'"
  echo "export AKT_MARIADB_BENUTZER='$benutzer'"
  echo "export AKT_MARIADB_PASSWORT='$passwort'"
  echo "export AKT_MARIADB_PRAEFIX='$praefix'"
  melde "running on 127.0.0.1:$port and $ordner/socket"
}

starte_postgres() {
  local ordner port konto=() bin
  bin=$(ls -d /usr/lib/postgresql/*/bin 2> /dev/null | sort -V | tail -n 1)
  if [ -z "$bin" ]; then
    melde "no PostgreSQL server programs under /usr/lib/postgresql"
    return 1
  fi
  # initdb and the server refuse root; they run as the package's own account then.
  ordner=$(neuer_ordner postgres postgres)
  if [ "$(id -u)" -eq 0 ]; then
    konto=(runuser -u postgres --)
  fi
  port=$(freier_port)

  # The superuser has no password and logs on by the socket as its own system account only.
  if ! (cd "$ordner" && "${konto[@]}" "$bin/initdb" -D "$ordner/daten" -E UTF8 --locale=C.UTF-8 --no-sync \
        --auth-local=peer --auth-host=scram-sha-256) > "$ordner/einrichtung.log" 2>&1; then
    cat "$ordner/einrichtung.log" >&2
    melde "the PostgreSQL data folder could not be made"
    rm -rf "$ordner"
    return 1
  fi
  if ! (cd "$ordner" && "${konto[@]}" "$bin/pg_ctl" -D "$ordner/daten" -l "$ordner/fehler.log" -w -t 60 \
        -o "-k $ordner -p $port -c listen_addresses=127.0.0.1 -c fsync=off -c shared_buffers=16MB" start) \
        > /dev/null 2>&1; then
    cat "$ordner/fehler.log" >&2 || true
    melde "the PostgreSQL server did not start"
    stoppe "$ordner"
    return 1
  fi
  head -n 1 "$ordner/daten/postmaster.pid" > "$ordner/pid"

  (cd "$ordner" && "${konto[@]}" "$bin/psql" -q -v ON_ERROR_STOP=1 -h "$ordner" -p "$port" -d postgres) <<SQL
CREATE ROLE $benutzer LOGIN CREATEDB PASSWORD '$passwort';
SQL

  echo "export AKT_PG_ORDNER='$ordner'"
  echo "export AKT_PG_PORT='$port'"
  echo "export AKT_PG_BENUTZER='$benutzer'"
  echo "export AKT_PG_PASSWORT='$passwort'"
  echo "export AKT_PG_PRAEFIX='$praefix'"
  melde "PostgreSQL running on 127.0.0.1:$port"
}

# Ends the server process of the folder; the folder stays.
halte_an() {
  local ordner=$1
  if [ -f "$ordner/pid" ]; then
    local pid
    pid=$(cat "$ordner/pid")
    # PostgreSQL's fast shutdown (SIGINT) does not wait for clients that a failed test left open.
    local signal=TERM
    [ -f "$ordner/daten/postmaster.pid" ] && signal=INT
    kill -s "$signal" "$pid" 2> /dev/null || true
    local i
    for ((i = 0; i < 60; i++)); do
      kill -0 "$pid" 2> /dev/null || break
      sleep 0.5
    done
    kill -9 "$pid" 2> /dev/null || true
  fi
}

stoppe() {
  local ordner=${1:-${AKT_MARIADB_ORDNER:-}}
  [ -n "$ordner" ] && [ -d "$ordner" ] || return 0
  halte_an "$ordner"
  rm -rf "$ordner"
}

# Stops the server of the folder and starts it again with the same data, port and options.
starte_neu() {
  local ordner=$1 konto=() bin
  [ -n "$ordner" ] && [ -f "$ordner/pid" ] || { melde "no server in '$ordner'"; return 1; }
  if [ ! -f "$ordner/daten/PG_VERSION" ]; then
    halte_an "$ordner"
    starte_mariadbd "$ordner"
    return
  fi
  bin=$(ls -d /usr/lib/postgresql/*/bin 2> /dev/null | sort -V | tail -n 1)
  if [ "$(id -u)" -eq 0 ]; then
    konto=(runuser -u postgres --)
  fi
  # The options it was started with stay in its data folder.
  (cd "$ordner" && "${konto[@]}" "$bin/pg_ctl" -D "$ordner/daten" -l "$ordner/fehler.log" -w -t 60 -m fast restart) \
    > /dev/null || return 1
  head -n 1 "$ordner/daten/postmaster.pid" > "$ordner/pid"
}

case "${1:-}" in
  start)
    case "${2:-mariadb}" in
      mariadb) starte ;;
      postgres) starte_postgres ;;
      *) echo "usage: $0 start [mariadb|postgres] | stop [folder] | restart <folder>" >&2; exit 2 ;;
    esac ;;
  stop) stoppe "${2:-}" ;;
  restart) starte_neu "${2:-}" ;;
  *) echo "usage: $0 start [mariadb|postgres] | stop [folder] | restart <folder>" >&2; exit 2 ;;
esac
