"""What the module's tests share."""

import pytest


@pytest.fixture(scope="session")
def dask_client():
    """A Dask client of a cluster of two worker processes on this machine, started once."""
    distributed = pytest.importorskip(
        "dask.distributed", reason="Dask is not installed (Debian's python3-dask and python3-distributed)")
    with distributed.LocalCluster(n_workers=2, threads_per_worker=1, processes=True,
                                  dashboard_address=None) as cluster, distributed.Client(cluster) as client:
        yield client


def pytest_configure(config):
    # Debian 12's tornado, under Dask, warns of its own use of asyncio.
    config.addinivalue_line("filterwarnings", "ignore:make_current is deprecated:DeprecationWarning:tornado")
