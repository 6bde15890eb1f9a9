# The Python package over libtavro. A plain setup script without a
# pyproject.toml build-system table: pip then builds it with the setuptools
# and wheel already installed (Debian's python3-setuptools and
# python3-wheel) instead of downloading them, so `pip install ./python`
# works offline. docs/embedding.md describes the installation.
from setuptools import setup

setup(
    name="tavro",
    version="1.0.0",
    description="Moist-air and plate heat exchanger calculations over libtavro",
    packages=["tavro"],
    python_requires=">=3.9",
)
