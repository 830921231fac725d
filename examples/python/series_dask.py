#!/usr/bin/env python3
"""Evaluates every measurement file below a folder (an archive of many
thousands) on a dask cluster and gathers one table: the rows and columns of
`zebstat-batch series`, in the files' order (folders and files by name).

    PYTHONPATH=build/python python3 examples/python/series_dask.py ARCHIVE \\
        [--scheduler ADDRESS | --workers 2] [--threads 1] [--chunk 500] \\
        [--plot zimm] [--q-order 1] [--c-order 1] [--output TABLE.csv]

Without --scheduler a local cluster of --workers processes is started on this
machine; with it the work goes to that cluster (each of its workers needs the
zebstat module and the files under the same path). Each task evaluates a chunk
of files with zebstat.table on --threads threads of its worker. The table goes
to --output (CSV) or standard output; the exit status is 1 when a row failed.
"""
import argparse
import os
import sys

import pandas as pd
from dask.distributed import Client, LocalCluster

MEASUREMENT_FILES = (".sta", ".dat", ".plt", ".plx", ".asc")


def measurement_files(folder):
    """The measurement files below folder, folders and files in name order."""
    found = []
    for root, folders, files in os.walk(folder):
        folders.sort()
        found += [os.path.join(root, f) for f in sorted(files) if f.lower().endswith(MEASUREMENT_FILES)]
    return found


def evaluate_chunk(files, options):
    """One task on a worker: the table rows of its files."""
    import zebstat
    return zebstat.table(files, **options)


def series_table(client, files, chunk, options):
    """The rows of all files, gathered in the files' order."""
    chunks = [files[i:i + chunk] for i in range(0, len(files), chunk)]
    futures = client.map(evaluate_chunk, chunks, options=options, pure=False)
    return pd.concat(client.gather(futures), ignore_index=True)


def main(argv):
    p = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    p.add_argument("archive", help="the folder whose measurement files are evaluated")
    p.add_argument("--scheduler", help="address of a running dask scheduler (default: a local cluster)")
    p.add_argument("--workers", type=int, default=2, help="worker processes of the local cluster")
    p.add_argument("--threads", type=int, default=1, help="threads each worker evaluates on")
    p.add_argument("--chunk", type=int, default=500, help="files per task")
    p.add_argument("--plot", default="zimm")
    p.add_argument("--q-order", type=int, default=1)
    p.add_argument("--c-order", type=int, default=1)
    p.add_argument("--output", help="the table as CSV (default: standard output)")
    args = p.parse_args(argv)

    files = measurement_files(args.archive)
    if not files:
        print("series_dask: no measurement file (%s) below %s" % (" ".join(MEASUREMENT_FILES), args.archive),
              file=sys.stderr)
        return 2
    options = {"jobs": args.threads, "plot": args.plot, "q_order": args.q_order, "c_order": args.c_order}
    if args.scheduler:
        with Client(args.scheduler) as client:
            table = series_table(client, files, args.chunk, options)
    else:
        with LocalCluster(n_workers=args.workers, threads_per_worker=1, processes=True,
                          dashboard_address=None) as cluster, Client(cluster) as client:
            table = series_table(client, files, args.chunk, options)

    table.to_csv(args.output or sys.stdout, index=False)
    failed = int((table["status"] != "ok").sum())
    print("series_dask: %d measurements, %d failed" % (len(table), failed), file=sys.stderr)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
