#!/usr/bin/env bash
# The production set-up of a node, written below a folder of the test's
# own (DESTDIR): nginx and PHP-FPM accept what it wrote.
#   deploy_install.sh
set -u
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../support/expectations.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
printf 'MC_REPORT_DSN=sqlite:/var/lib/machinecheck/reports.sqlite\nMC_STAFF_PASSWORD_HASH=x\n' > "$work/settings"
expect "install writes the node's configuration" \
  env DESTDIR="$work/destdir" "$here/../../tools/report-service/deploy/install" 8080 "$work/settings"
etc="$work/destdir/etc"
cat > "$work/nginx.conf" <<CONF
pid $work/nginx.pid;
error_log $work/error.log;
events {}
http {
    include $etc/nginx/conf.d/*.conf;
    include $etc/nginx/sites-enabled/*;
}
CONF
expect "nginx accepts it" nginx -t -q -p "$work/" -c "$work/nginx.conf" -e "$work/error.log"
printf '[global]\npid = %s\nerror_log = %s\ninclude = %s\n' "$work/fpm.pid" "$work/fpm.log" \
  "$etc/php/8.2/fpm/pool.d/*.conf" > "$work/php-fpm.conf"
expect "PHP-FPM accepts it" env MC_FPM_USER=www-data MC_FPM_SOCKET="$work/fpm.sock" \
  php-fpm8.2 --allow-to-run-as-root -t --fpm-config "$work/php-fpm.conf" 2>/dev/null
expect "the FPM service reads the settings file" \
  grep -q "EnvironmentFile=$work/settings" "$etc/systemd/system/php8.2-fpm.service.d/machinecheck.conf"
expectations_met
