#!/usr/bin/env bash
# Installs the 32-bit Wine that runs the i686 build, in a folder of its own (TAVRIN_WINE32, by
# default /opt/tavrin-wine32), and nothing when that folder already matches the system's Wine.
#
# Some machines run no 32-bit x86 code at all (the test machines here: their kernel answers
# "exec format error" and faults on the 32-bit code segment), so qemu-i386 executes Wine's 32-bit
# loader, its libraries and the programs. Both come from Debian's packages, fetched by apt-get with
# a configuration of this script's own and unpacked, not installed: the system's package database
# gains no i386 architecture, and its 64-bit Wine stays exactly as it was.
#
#   <folder>/wine           runs a 32-bit Windows program: wine32 under qemu-i386
#   <folder>/root           the i386 packages, unpacked (wine32 of the system's Wine version)
#   <folder>/qemu-i386      qemu's user-mode emulator (qemu-user of bookworm-backports: the one
#                           of bookworm neither honours MAP_FIXED_NOREPLACE, on which Wine's
#                           reservation of its address space relies, nor gives Wine's fault
#                           handler the trap number of a page fault)
set -euo pipefail

target=${TAVRIN_WINE32:-/opt/tavrin-wine32}
wine_version=$(dpkg-query -W -f='${Version}' wine64)
# Wine's 32-bit loader and its preloader, the libraries its window driver loads (the same as the
# system's 64-bit Wine has), OpenGL with Mesa's software renderer (Direct3D 8 needs it) and the
# fonts Wine draws with.
packages=(
    "wine32=$wine_version" "wine32-preloader=$wine_version" "libwine=$wine_version"
    libxcomposite1 libxcursor1 libxfixes3 libxi6 libxinerama1 libxrandr2 libxrender1
    libxxf86vm1 libgl1 libgl1-mesa-dri fonts-wine fonts-liberation
)
qemu_package=qemu-user:amd64/bookworm-backports
stamp="${packages[*]} $qemu_package"

ready() { [[ -f "$target/ready" && "$(cat "$target/ready")" == "$stamp" ]]; }
ready && exit 0

mkdir -p "$(dirname "$target")"
exec 9>"$target.lock"
flock 9  # another run on this machine may be installing it right now
ready && exit 0

echo "bootstrap: installing 32-bit Wine under qemu-i386 in $target"
work=$(mktemp -d "$target.new.XXXXXX")
trap 'rm -rf "$work"' EXIT

# The system's Debian mirrors, for i386; qemu-user from the same mirror's backports.
keyring=/usr/share/keyrings/debian-archive-keyring.gpg
mapfile -t suites < <(apt-get indextargets --format '$(REPO_URI) $(RELEASE)' \
    'Identifier: Packages' 'Component: main' | grep -E ' bookworm(-updates|-security)?$' | sort -u)
((${#suites[@]} > 0)) || suites=("http://deb.debian.org/debian/ bookworm")
apt_dir=$work/apt
mkdir -p "$apt_dir"/{lists/partial,archives/partial,parts}
: >"$apt_dir/status"
for suite in "${suites[@]}"; do
    echo "deb [arch=i386 signed-by=$keyring] ${suite% *} ${suite#* } main"
    [[ ${suite#* } == bookworm ]] &&
        echo "deb [arch=amd64 signed-by=$keyring] ${suite% *} bookworm-backports main"
done >"$apt_dir/sources.list"
cat >"$apt_dir/apt.conf" <<EOF
Dir::Etc::SourceList "$apt_dir/sources.list";
Dir::Etc::SourceParts "$apt_dir/parts";
Dir::Etc::Preferences "$apt_dir/parts/none";
Dir::Etc::PreferencesParts "$apt_dir/parts";
Dir::State::Lists "$apt_dir/lists";
Dir::State::status "$apt_dir/status";
Dir::Cache "$apt_dir";
Dir::Cache::Archives "$apt_dir/archives";
APT::Architecture "i386";
APT::Architectures { "i386"; "amd64"; };
APT::Install-Recommends "false";
APT::Sandbox::User "root";
EOF
export APT_CONFIG=$apt_dir/apt.conf DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -qq --download-only -y "${packages[@]}" "$qemu_package" >/dev/null

mkdir -p "$work/root" "$work/qemu"
for deb in "$apt_dir"/archives/*.deb; do
    case $(basename "$deb") in
    qemu-user_*) dpkg-deb -x "$deb" "$work/qemu" ;;
    *) dpkg-deb -x "$deb" "$work/root" ;;
    esac
done
mv "$work/qemu/usr/bin/qemu-i386" "$work/qemu-i386"
rm -rf "$work/qemu" "$apt_dir"

root=$work/root
# What the packages' scripts would have done: the library cache of the i386 loader, and the zlib
# that Wine loads as a builtin DLL (libwine marks Debian's MinGW build of it as one).
echo 'include /etc/ld.so.conf.d/*.conf' >"$root/etc/ld.so.conf"
ldconfig -r "$root"
zlib=$root/usr/i686-w64-mingw32/lib/zlib1.dll
{
    head -c 64 "$zlib"
    printf 'Wine builtin DLL\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0'
    tail -c +97 "$zlib"
} >"$root/usr/lib/i386-linux-gnu/wine/i386-windows/zlib1.dll"

# Wine starts every further process through its preloader; this one of the same name hands it to
# qemu, which needs no binfmt_misc registration for it. The server is the system's 64-bit one.
mv "$root/usr/lib/wine/wine-preloader" "$root/usr/lib/wine/wine-preloader.i386"
# qemu writes a core file of an emulated process that a signal ends, as Wine's server ends them.
cat >"$root/usr/lib/wine/wine-preloader" <<EOF
#!/bin/sh
ulimit -c 0
exec "$target/qemu-i386" -L "$target/root" "$target/root/usr/lib/wine/wine-preloader.i386" "\$@"
EOF
cat >"$work/wine" <<EOF
#!/bin/sh
# Runs a 32-bit Windows program under Wine; its processes run under qemu-i386.
ulimit -c 0
exec "$target/qemu-i386" -L "$target/root" "$target/root/usr/lib/wine/wine" "\$@"
EOF
chmod +x "$root/usr/lib/wine/wine-preloader" "$work/wine"
echo "$stamp" >"$work/ready"

rm -rf "$target"
mv "$work" "$target"
trap - EXIT
chmod 755 "$target"
