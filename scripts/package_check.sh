#!/usr/bin/env bash
# Builds the Debian package, installs it on this machine with apt, and uses
# the installed programs as an ordinary user whose home is empty: the
# exporter writes a table, a map and a workbook, and the window starts under
# a virtual display until its main window shows. The package is purged at
# the end, also when a step failed, and nothing of it may stay behind.
# Usage: scripts/package_check.sh [BUILD_FOLDER]  (as root, or with sudo)
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"

cmake --build "$build" --target package
deb=$(ls "$build"/solvane_*_amd64.deb)
lintian --fail-on error "$deb"

if dpkg-query -W -f='${Status}' solvane 2>/dev/null | grep -q "ok installed"; then
  echo "solvane is already installed on this machine; this check installs and purges its own." >&2
  exit 1
fi

home=$(mktemp -d /tmp/solvane-user.XXXXXX)
display_pid=""
finish() {
  status=$?
  [ -n "$display_pid" ] && kill "$display_pid" 2>/dev/null || true
  $SUDO env DEBIAN_FRONTEND=noninteractive apt-get purge -y -qq solvane >/dev/null 2>&1 || status=1
  rm -rf "$home"
  for left in /usr/bin/solvane /usr/bin/solvane-export /usr/bin/solvane-import /usr/libexec/solvane \
              /usr/share/solvane /usr/share/doc/solvane /usr/share/applications/org.solvane.Solvane.desktop; do
    if [ -e "$left" ]; then
      echo "left behind after the purge: $left" >&2
      status=1
    fi
  done
  if dpkg-query -W solvane >/dev/null 2>&1; then
    echo "dpkg still knows the package after the purge" >&2
    status=1
  fi
  exit $status
}
trap finish EXIT

$SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$deb" >/dev/null

# The ordinary user: the unprivileged ids, a home of its own and nothing
# else of the caller's environment.
$SUDO chown 65534:65534 "$home"
as_user() {
  $SUDO setpriv --reuid=65534 --regid=65534 --clear-groups \
    env -i HOME="$home" PATH=/usr/bin:/bin LANG=C.UTF-8 ${DISPLAY:+DISPLAY=$DISPLAY} "$@"
}
pernambuco=(--topico 01.01.01 --agrupar municipio --uf 26)
as_user solvane-export --topico 01.01.01 --saida "$home/tabela.txt"
as_user solvane-export "${pernambuco[@]}" --coluna A07 --mapa "$home/mapa.png"
as_user solvane-export "${pernambuco[@]}" --planilha "$home/tabela.xlsx"
for file in tabela.txt mapa.png tabela.xlsx; do
  [ -s "$home/$file" ] || { echo "the installed solvane-export wrote no $file" >&2; exit 1; }
done
echo "solvane-export (instalado): tabela, mapa e planilha gravados como usuário comum"

# The program's own help, with the pictures of its windows.
for file in /usr/share/solvane/Ajuda/Solvane_AJUDA.html /usr/share/solvane/Ajuda/imagens/tabela.png; do
  [ -s "$file" ] || { echo "the package installed no $file" >&2; exit 1; }
done

# The window, until its main window is mapped.
display=:$((RANDOM % 400 + 100))
Xvfb "$display" -screen 0 1600x1000x24 -ac -nolisten tcp >/dev/null 2>&1 &
display_pid=$!
export DISPLAY=$display
for _ in $(seq 50); do xdotool getdisplaygeometry >/dev/null 2>&1 && break; sleep 0.1; done
as_user solvane >"$home/solvane.log" 2>&1 &
window_pid=$!
if ! timeout 60 xdotool search --sync --onlyvisible --name '^Solvane$' >/dev/null; then
  echo "the installed solvane showed no main window:" >&2
  cat "$home/solvane.log" >&2
  exit 1
fi
kill -0 "$window_pid" 2>/dev/null || { echo "the installed solvane ended early" >&2; exit 1; }
$SUDO kill "$window_pid" 2>/dev/null || true
pkill -u 65534 -x solvane 2>/dev/null || true
echo "solvane (instalado): janela principal aberta como usuário comum"
