# A PostgreSQL server of a test's own, in a folder of the test's (sourced).
# PostgreSQL refuses to run as root: then its own user runs it.
as_postgres() {
  local bin
  bin=$(ls -d /usr/lib/postgresql/*/bin | sort -V | tail -n 1)
  if [ "$(id -u)" = 0 ]; then runuser -u postgres -- "$bin/$1" "${@:2}"; else "$bin/$1" "${@:2}"; fi
}
# start_postgresql DATA PORT [SETTING=VALUE...]: a new cluster in DATA,
# served on 127.0.0.1:PORT. SQL_ASCII keeps every byte: the stored values
# are code page 936, as the program sends them.
start_postgresql() {
  local data=$1 port=$2 setting options="-c listen_addresses=127.0.0.1 -c fsync=off"
  for setting in "${@:3}"; do options+=" -c $setting"; done
  mkdir -p "$data" && [ "$(id -u)" = 0 ] && chown postgres "$data"
  as_postgres initdb -D "$data" -A trust -E SQL_ASCII --locale=C -U postgres >/dev/null || return 1
  as_postgres pg_ctl -D "$data" -l "$data/log" -w -o "-p $port -k $data $options" start >/dev/null
}
stop_postgresql() { as_postgres pg_ctl -D "$1" -m immediate stop >/dev/null 2>&1; }
