"""Where training keeps its files: checkpoints, the exported weights and the committed logs.
It imports nothing of the package, so every module may take these paths from it."""
import os

HERE = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
CKPT_DIR = os.environ.get("CORVEX_CKPT_DIR", os.path.join(HERE, "checkpoints"))
WEIGHTS_DIR = os.environ.get("CORVEX_WEIGHTS_DIR", os.path.join(os.path.dirname(HERE), "weights"))
LOG_DIR = os.environ.get("CORVEX_LOG_DIR", os.path.join(HERE, "logs"))  # small, committed summaries
