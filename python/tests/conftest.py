import pytest

import tavro


@pytest.fixture
def winter():
    """The inputs of a winter case on the 600 mm edge."""
    return dict(AirState=0, AirQuant=0, pbar=1013, SVol11=4000, Temp11=-12, Phi11=90,
                SVol21=4000, Temp21=22, Phi21=40, Edge=600, Width=600, PType=2)


@pytest.fixture(autouse=True, scope="session")
def loaded():
    tavro.library()
