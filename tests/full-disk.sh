#!/usr/bin/env bash
# A nearly full drive for the tests that write where no space is left: a 2 MiB tmpfs.
#   full-disk.sh mount FOLDER     mounts it at FOLDER and writes the marker file "mounted"
#   full-disk.sh unmount FOLDER   unmounts it again, if it bears the marker
# Mounting needs root and a kernel that allows it here; without them the script says why
# and succeeds without mounting, and the tests that need the drive skip (no marker).
set -euo pipefail

if [ $# -ne 2 ] || { [ "$1" != mount ] && [ "$1" != unmount ]; }; then
  echo "usage: full-disk.sh mount|unmount FOLDER" >&2
  exit 2
fi
verb=$1
folder=$2

case "$verb" in
  mount)
    if [ "$(id -u)" -ne 0 ]; then
      echo "full-disk: not mounted: mounting a tmpfs needs root, and this runs as $(id -un)"
      exit 0
    fi
    mkdir -p "$folder"
    # A mount left by a run that ended early is used as it is.
    if mountpoint -q "$folder"; then
      echo "full-disk: $folder is already a mount point; left as it is"
      exit 0
    fi
    if ! error=$(mount -t tmpfs -o size=2m korvane-full-disk "$folder" 2>&1); then
      echo "full-disk: not mounted: mount -t tmpfs failed: $error"
      exit 0
    fi
    touch "$folder/mounted"
    echo "full-disk: 2 MiB tmpfs mounted at $folder"
    ;;
  unmount)
    # Only a mount that bears the marker is ours to take away.
    if ! mountpoint -q "$folder" || [ ! -e "$folder/mounted" ]; then
      echo "full-disk: nothing of ours mounted at $folder"
      exit 0
    fi
    # A program still holding a file there keeps the mount busy: detach it all the same.
    umount "$folder" 2>/dev/null || umount -l "$folder"
    rmdir "$folder" 2>/dev/null || true
    echo "full-disk: unmounted $folder"
    ;;
esac
